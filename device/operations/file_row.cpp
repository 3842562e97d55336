#include "device/operations/file_row.h"

#include <vector>

#include "common/gbk_text.h"
#include "device/operations/display_rules.h"

namespace quorvane {

FileRow AddFileRow(const FileIndexLine& line) {
    // Every text of the line is the device's, in its code page; the size need not be digits.
    return FileRow{gbkToUtf8(line.number), gbkToUtf8(line.name), groupDigits(gbkToUtf8(line.size)),
                   dateTimeText(fatDateTime(line.dateWord, line.timeWord))};
}

std::string groupDigits(std::string_view text) {
    // Groups of three characters, not bytes: a comma inside a UTF-8 sequence would break it.
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            starts.push_back(i);
        }
    }
    std::string grouped(text);
    for (size_t left = starts.size(); left > 3;) {
        left -= 3;
        grouped.insert(starts[left], 1, ',');
    }
    return grouped;
}

std::optional<uint64_t> listedFileSize(const FileRow& row) {
    // Twenty digits could pass the 64-bit range; no device file is that large.
    constexpr size_t kMostDigits = 19;
    uint64_t value = 0;
    size_t digits = 0;
    for (char c : row.size) {
        if (c == ',') {
            continue;
        }
        if (c < '0' || c > '9' || ++digits > kMostDigits) {
            return std::nullopt;
        }
        value = value * 10 + uint64_t(c - '0');
    }
    if (digits == 0 || row.placeholder) {
        return std::nullopt;
    }
    return value;
}

}  // namespace quorvane
