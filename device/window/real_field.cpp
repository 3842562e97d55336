#include "device/window/real_field.h"

#include <charconv>

#include "common/parse_number.h"

namespace quorvane {

const Message kNotANumberBox{BoxType::Warning, {"请输入一个数字。", "Please enter a number."}};

std::string realFieldText(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    return std::string(text, end.ptr);
}

std::optional<double> parseRealField(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    // The shared parser takes a minus but no plus sign.
    if (text.starts_with('+') && !text.starts_with("+-")) {
        text.remove_prefix(1);
    }
    return parseNumber(text);
}

}  // namespace quorvane
