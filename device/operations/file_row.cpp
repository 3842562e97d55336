#include "device/operations/file_row.h"

#include "device/operations/display_rules.h"

namespace quorvane {

FileRow AddFileRow(const FileIndexLine& line) {
    return FileRow{line.number, line.name, groupDigits(line.size),
                   dateTimeText(fatDateTime(line.dateWord, line.timeWord))};
}

std::string groupDigits(std::string_view text) {
    std::string grouped(text);
    for (size_t left = grouped.size(); left > 3;) {
        left -= 3;
        grouped.insert(left, 1, ',');
    }
    return grouped;
}

}  // namespace quorvane
