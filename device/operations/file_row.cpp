#include "device/operations/file_row.h"

#include "common/strformat.h"
#include "device/operations/comma_fields.h"
#include "device/protocol/leading_number.h"

namespace quorvane {

std::optional<FileRow> AddFileRow(std::string_view line) {
    if (line.find('d') == std::string_view::npos || line.rfind('f') == std::string_view::npos) {
        return std::nullopt;
    }
    // Keyword, number, name, size, date word, time word.
    const auto fields = commaFields(line, 6);
    if (!fields) {
        return std::nullopt;
    }
    const std::vector<std::string_view>& f = *fields;
    return FileRow{std::string(f[1]), std::string(f[2]), groupDigits(f[3]),
                   fatDateTimeText(parseLeadingInt(f[4]), parseLeadingInt(f[5]))};
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
