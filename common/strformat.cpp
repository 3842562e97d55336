#include "common/strformat.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdio>

namespace quorvane {

std::string strformat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string out;
    if (length > 0) {
        out.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(out.data(), out.size(), format, again);
        out.resize(static_cast<size_t>(length));
    }
    va_end(again);
    return out;
}

std::string fixedDecimals(double value, int decimals) {
    // to_chars is specified to give printf's "C"-locale result; the largest double needs 309
    // integral digits, a sign and a point besides the decimals.
    std::string text(312 + static_cast<size_t>(std::max(decimals, 0)), '\0');
    const std::to_chars_result result = std::to_chars(text.data(), text.data() + text.size(), value,
                                                      std::chars_format::fixed, decimals);
    text.resize(static_cast<size_t>(result.ptr - text.data()));
    return text;
}

std::string fixedWidth(double value, int width, int decimals) {
    std::string text = fixedDecimals(value, decimals);
    if (text.size() < size_t(width)) {
        text.insert(0, size_t(width) - text.size(), ' ');
    }
    return text;
}

}  // namespace quorvane
