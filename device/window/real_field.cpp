#include "device/window/real_field.h"

#include <charconv>

namespace quorvane {

std::string realFieldText(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    return std::string(text, end.ptr);
}

}  // namespace quorvane
