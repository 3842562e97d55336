#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/link/clock.h"

namespace quorvane {

// One file line of the device's index, "$cmd,<word>,<num>,<name>,<size>,<date>,<time>*ff":
// the texts as sent and the two FAT words.
struct FileIndexLine {
    std::string number;  // the device's own file number, shown only
    std::string name;
    std::string size;  // bytes, as decimal text; need not be digits
    uint16_t dateWord = 0;
    uint16_t timeWord = 0;

    bool operator==(const FileIndexLine&) const = default;
};

// The line without its CR LF, or nothing when it lacks a marker or a delimiter. The date and
// time texts read as atoi does, modulo 65536; anything after the '*' that ends the time is
// ignored.
std::optional<FileIndexLine> parseFileIndexLine(std::string_view line);

// The file lines of a whole index reply, in order: a line's position is the device's index of
// the file, so a line that cannot be read keeps its place as nothing.
struct FileIndex {
    std::vector<std::optional<FileIndexLine>> lines;
    bool complete = false;  // the end line was reached
};

// Nothing when the reply's first line is not the start line or its last line not the end line
// (the device's "no files" answer among them).
std::optional<FileIndex> parseFileIndex(std::string_view reply);

// A FAT date word and time word: year from 1980, month, day, hour, minute, even seconds. No
// range check: a date word of 0 reads as 1980-00-00.
LocalDateTime fatDateTime(uint16_t dateWord, uint16_t timeWord);

}  // namespace quorvane
