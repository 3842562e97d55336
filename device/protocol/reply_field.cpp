#include "device/protocol/reply_field.h"

#include <algorithm>

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

bool hasReplyMarkers(std::string_view line) {
    return line.find('d') != std::string_view::npos && line.rfind('f') != std::string_view::npos;
}

ReplyFields ReplyField(std::string_view reply, int commaCount) {
    ReplyFields fields;
    if (!hasReplyMarkers(reply)) {
        fields.error = FieldError::NoMarkers;
        return fields;
    }
    // The first two fields are the echo's words ("get" and the command's name).
    const auto cut = commaFields(reply, size_t(std::max(commaCount, 0)));
    if (!cut || cut->size() < 3) {
        fields.error = FieldError::NoDelimiters;
        return fields;
    }
    fields.first = std::string((*cut)[2]);
    if (cut->size() > 3) {
        fields.second = std::string((*cut)[3]);
    }
    return fields;
}

}  // namespace quorvane
