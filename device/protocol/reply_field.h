#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The fields of a device line counted from its first comma: field i runs from comma i + 1 to
// comma i + 2, the last from comma `commas` to the first '*' after it ("$cmd,a,b,c*ff" with 3
// commas gives a, b, c). Nothing when a comma or that '*' is missing; what follows the '*'
// is not looked at. Every reply and index line is cut apart here.
std::optional<std::vector<std::string_view>> commaFields(std::string_view line, size_t commas);

// The device's lines are recognised by a "d" (as in "$cmd") somewhere and an "f" (as in "*ff")
// somewhere; get-replies and file-index lines without them are not read further.
bool hasReplyMarkers(std::string_view line);

enum class FieldError {
    None,
    NoMarkers,     // no "d" or no "f" anywhere in the reply
    NoDelimiters,  // a comma up to the last one needed, or the "*" after it, is missing
    BadValue,      // the fields are there, but one does not read as its value
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
