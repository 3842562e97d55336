#pragma once

#include <string>
#include <string_view>

namespace quorvane {

enum class FieldError {
    None,
    NoMarkers,     // no "d" or no "f" anywhere in the reply
    NoDelimiters,  // a comma up to the last one needed, or the "*" after it, is missing
};

struct ReplyFields {
    FieldError error = FieldError::None;
    std::string first;
    std::string second;  // two-field replies only
};

// Cuts the value fields out of a get-reply: the echo holds two commas, so the first field
// follows the third comma. commaCount is 3 for one-field replies ("$cmd,get,voltage,12.5*ff"),
// 4 for two-field ones; the last field ends at the first "*" after the last comma.
ReplyFields ReplyField(std::string_view reply, int commaCount);

}  // namespace quorvane
