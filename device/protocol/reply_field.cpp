#include "device/protocol/reply_field.h"

#include <vector>

namespace quorvane {

ReplyFields ReplyField(std::string_view reply, int commaCount) {
    ReplyFields fields;
    if (reply.find('d') == std::string_view::npos || reply.rfind('f') == std::string_view::npos) {
        fields.error = FieldError::NoMarkers;
        return fields;
    }
    std::vector<size_t> commas;
    size_t from = 0;
    for (int i = 0; i < commaCount; ++i) {
        const size_t comma = reply.find(',', from);
        if (comma == std::string_view::npos) {
            fields.error = FieldError::NoDelimiters;
            return fields;
        }
        commas.push_back(comma);
        from = comma + 1;
    }
    const size_t star = reply.find('*', from);
    if (star == std::string_view::npos || commas.size() < 3) {
        fields.error = FieldError::NoDelimiters;
        return fields;
    }
    const auto between = [&](size_t open, size_t close) {
        return std::string(reply.substr(open + 1, close - open - 1));
    };
    if (commas.size() == 3) {
        fields.first = between(commas[2], star);
    } else {
        fields.first = between(commas[2], commas[3]);
        fields.second = between(commas[3], star);
    }
    return fields;
}

}  // namespace quorvane
