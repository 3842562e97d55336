#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "postprocess/export/cast_position.h"
#include "postprocess/export/cast_time.h"
#include "postprocess/export/export_failure.h"
#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

// The three tables of the post-processing program first, then the profile files that the
// acquisition packages of multibeam echosounders import.
enum class ExportFormat {
    Csv,
    Hypack,
    Text,
    KongsbergAsvp,
    CarisSvp,
    HypackTimed,
    SonardynePro,
    Unb,
    IxBlue,
    HipapUsr,
    CsvMetadata,
};

// What one row of a table export holds, in its order. Rows of the average table are always
// depth and average velocity.
enum class ExportColumn { Depth, SoundVelocity, Temperature };

// The cast as the acquisition formats' headers describe it.
struct CastInfo {
    std::optional<CastTime> time{};  // as written: UTC for the packages
    std::optional<CastPosition> position{};
    std::optional<int32_t> deviceId{};
    std::string name{};        // the cast's base name
    std::string sourceFile{};  // the file the profile came from, without folder
};

// What a format's header may draw on.
struct ExportContext {
    bool english = false;
    float averageStartDepth = 0.5f;
    CastInfo cast{};
    std::string path{};      // of the file being written, absolute
    bool appending = false;  // only the cast's own section: the file's header is there already
};

// A whole export composed in memory, or why the format refuses the profile.
struct ExportBody {
    std::string bytes;
    size_t rows = 0;
    size_t salinityUnfitted = 0;  // rows whose salinity column holds 0: no salinity fits them
    std::optional<ExportFailure> refusal;
};

struct ExportFormatDescriptor;

// The header lines of one table export, without their line ends.
using HeaderWriter = std::vector<std::string> (*)(const ExportContext& context);
// A format's whole file (or, appending, its new section) from the points to write.
using ProfileWriter = ExportBody (*)(const ExportFormatDescriptor& format,
                                     std::span<const ProfilePoint> points,
                                     const ExportContext& context);

// Everything the save dialog, the writers and quorvane-cli know about one export format: a
// new format is one more row of the table and its writer.
struct ExportFormatDescriptor {
    ExportFormat format;
    std::string_view name;         // in messages: "HYPACK"
    std::string_view cliName;      // the value of quorvane-cli's --format
    std::string_view extension;    // appended to a chosen path that does not end in it
    std::string_view filterEntry;  // the save dialog's "description|pattern|" pair
    // The pair in the Chinese interface where its description is words rather than a name.
    std::string_view chineseFilterEntry = {};
    ProfileWriter writeProfile;
    // The table formats' layout, read by their shared writer and by the average table.
    char separator = ' ';
    std::span<const ExportColumn> profileColumns = {};
    HeaderWriter profileHeader = nullptr;
    HeaderWriter averageHeader = nullptr;  // none: the format has no form of the average table
    // A profile for an acquisition package: only finite values and depths that never go back
    // up; quorvane-cli names it after the cast alone.
    bool acquisition = false;
    bool servesSamples = true;  // offered for the raw samples as well as the fitted profile
    bool writesTime = false;
    bool writesPosition = false;
    // The first line of a file this format can add a cast to; empty: it cannot.
    std::string_view appendsAfter = {};

    bool servesAverage() const { return averageHeader != nullptr; }
    bool needsCast() const { return writesTime || writesPosition; }
};

// Every format, in the order the save dialog lists them.
std::span<const ExportFormatDescriptor> exportFormats();

const ExportFormatDescriptor& descriptorOf(ExportFormat format);

// The format quorvane-cli's --format names; nothing for an unknown name.
const ExportFormatDescriptor* formatNamed(std::string_view cliName);

}  // namespace quorvane
