#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// One row of the device file list. Its 0-based position in the list is the index by which the
// device addresses the file; the Num column is shown only.
struct FileRow {
    std::string number;  // "Num": the device's own file number, as sent
    std::string name;    // "Name", as sent
    std::string size;    // "Size : Byte", digits grouped by three
    std::string date;    // "Date": "%d-%02d-%02d %02d:%02d:%02d"
    // Stands in for an index line that could not be read, so that the rows after it keep the
    // device's index; it is never downloaded or deleted.
    bool placeholder = false;

    bool operator==(const FileRow&) const = default;
};

// The texts of one file-index line ("$cmd,<word>,<num>,<name>,<size>,<date>,<time>*ff", without
// its CR LF), or nothing when the line lacks a marker or a delimiter.
std::optional<FileRow> AddFileRow(std::string_view line);

// Inserts ',' before every group of three characters counted from the right.
std::string groupDigits(std::string_view text);

// A FAT date word and time word (each taken modulo 65536) as "%d-%02d-%02d %02d:%02d:%02d".
// No range check: a date word of 0 reads as 1980-00-00.
std::string fatDateTimeText(int dateWord, int timeWord);

}  // namespace quorvane
