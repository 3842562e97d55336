#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "device/protocol/file_index.h"

namespace quorvane {

// One row of the device file list. Its 0-based position in the list is the index by which the
// device addresses the file; the Num column is shown only.
struct FileRow {
    std::string number;  // "Num": the device's own file number, decoded like the name
    std::string name;    // "Name", decoded from the device's code page
    std::string size;    // "Size : Byte", digits grouped by three
    std::string date;    // "Date": "%d-%02d-%02d %02d:%02d:%02d"
    // Stands in for an index line that could not be read, so that the rows after it keep the
    // device's index; it is never downloaded or deleted.
    bool placeholder = false;

    bool operator==(const FileRow&) const = default;
};

// The four column texts of one file-index line.
FileRow AddFileRow(const FileIndexLine& line);

// The byte count the Size column shows, when it is one (grouped digits only).
std::optional<uint64_t> listedFileSize(const FileRow& row);

// Inserts ',' before every group of three characters counted from the right.
std::string groupDigits(std::string_view text);

}  // namespace quorvane
