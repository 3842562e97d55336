#include "device/operations/comma_fields.h"

namespace quorvane {

std::optional<std::vector<std::string_view>> commaFields(std::string_view line, size_t commas) {
    std::vector<size_t> ends;
    size_t from = 0;
    for (size_t i = 0; i < commas; ++i) {
        const size_t comma = line.find(',', from);
        if (comma == std::string_view::npos) {
            return std::nullopt;
        }
        ends.push_back(comma);
        from = comma + 1;
    }
    const size_t star = line.find('*', from);
    if (commas == 0 || star == std::string_view::npos) {
        return std::nullopt;
    }
    ends.push_back(star);
    std::vector<std::string_view> fields;
    for (size_t i = 0; i + 1 < ends.size(); ++i) {
        fields.push_back(line.substr(ends[i] + 1, ends[i + 1] - ends[i] - 1));
    }
    return fields;
}

}  // namespace quorvane
