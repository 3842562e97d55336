#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

enum class ExportFormat { Csv, Hypack, Text };

// What one row of a raw or fitting export holds, in its order. Rows of the average table are
// always depth and average velocity.
enum class ExportColumn { Depth, SoundVelocity, Temperature };

// What a format's header may draw on. Formats that carry the cast's time, position or
// instrument add them here.
struct ExportContext {
    bool english = false;
    float averageStartDepth = 0.5f;
};

// The header lines of one export, without their line ends.
using HeaderWriter = std::vector<std::string> (*)(const ExportContext& context);

// Everything the save dialog, the writers and quorvane-cli know about one export format: a
// new format is one more row of the table and its header writer.
struct ExportFormatDescriptor {
    ExportFormat format;
    std::string_view name;         // in messages: "HYPACK"
    std::string_view cliName;      // the value of quorvane-cli's --format
    std::string_view extension;    // appended to a chosen path that does not end in it
    std::string_view filterEntry;  // the save dialog's "description|pattern|" pair
    char separator;
    std::span<const ExportColumn> profileColumns;
    HeaderWriter profileHeader;
    HeaderWriter averageHeader;  // none: the format has no form of the average table

    bool servesAverage() const { return averageHeader != nullptr; }
};

// Every format, in the order the save dialog lists them.
std::span<const ExportFormatDescriptor> exportFormats();

const ExportFormatDescriptor& descriptorOf(ExportFormat format);

// The format quorvane-cli's --format names; nothing for an unknown name.
const ExportFormatDescriptor* formatNamed(std::string_view cliName);

}  // namespace quorvane
