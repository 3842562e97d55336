#include "device/operations/file_row.h"

#include <array>

#include "common/strformat.h"
#include "device/protocol/leading_number.h"

namespace quorvane {

namespace {

constexpr size_t kCommasInLine = 6;

}  // namespace

std::optional<FileRow> AddFileRow(std::string_view line) {
    if (line.find('d') == std::string_view::npos || line.rfind('f') == std::string_view::npos) {
        return std::nullopt;
    }
    std::array<size_t, kCommasInLine> commas{};
    size_t from = 0;
    for (size_t& comma : commas) {
        comma = line.find(',', from);
        if (comma == std::string_view::npos) {
            return std::nullopt;
        }
        from = comma + 1;
    }
    const size_t star = line.find('*', from);
    if (star == std::string_view::npos) {
        return std::nullopt;
    }
    const auto between = [&](size_t open, size_t close) {
        return line.substr(open + 1, close - open - 1);
    };
    FileRow row;
    row.number = between(commas[1], commas[2]);
    row.name = between(commas[2], commas[3]);
    row.size = groupDigits(between(commas[3], commas[4]));
    row.date = fatDateTimeText(parseLeadingInt(between(commas[4], commas[5])),
                               parseLeadingInt(between(commas[5], star)));
    return row;
}

std::string groupDigits(std::string_view text) {
    std::string grouped(text);
    for (size_t left = grouped.size(); left > 3;) {
        left -= 3;
        grouped.insert(left, 1, ',');
    }
    return grouped;
}

std::string fatDateTimeText(int dateWord, int timeWord) {
    const uint16_t date = uint16_t(dateWord);
    const uint16_t time = uint16_t(timeWord);
    return strformat("%d-%02d-%02d %02d:%02d:%02d", (date >> 9) + 1980, (date >> 5) & 0x0F,
                     date & 0x1F, time >> 11, (time >> 5) & 0x3F, (time & 0x1F) * 2);
}

}  // namespace quorvane
