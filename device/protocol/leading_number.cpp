#include "device/protocol/leading_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quorvane {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Skips blanks and one sign; returns whether the number is negative.
bool skipBlanksAndSign(std::string_view& text) {
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    text.remove_prefix(i);
    return negative;
}

// Whether a decimal number that does not fit a double is too large (rather than too small):
// its first significant digit stands left of the decimal point once the exponent is applied.
bool isTooLarge(std::string_view number) {
    size_t i = 0;
    int64_t magnitude = 0;
    bool significant = false;
    for (; i < number.size() && isDigit(number[i]); ++i) {
        significant = significant || number[i] != '0';
        magnitude += significant ? 1 : 0;
    }
    if (i < number.size() && number[i] == '.') {
        for (++i; i < number.size() && isDigit(number[i]); ++i) {
            if (significant) {
                continue;
            }
            significant = number[i] != '0';
            magnitude -= significant ? 0 : 1;
        }
    }
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        std::string_view exponent = number.substr(i + 1);
        const bool negative = skipBlanksAndSign(exponent);
        int64_t value = 0;
        for (char c : exponent) {
            if (!isDigit(c)) {
                break;
            }
            value = std::min<int64_t>(value * 10 + (c - '0'), int64_t(1) << 40);
        }
        magnitude += negative ? -value : value;
    }
    return magnitude > 0;
}

}  // namespace

int parseLeadingInt(std::string_view text) {
    const bool negative = skipBlanksAndSign(text);
    constexpr int64_t kLimit = int64_t(std::numeric_limits<int>::max()) + 1;
    int64_t value = 0;
    for (char c : text) {
        if (!isDigit(c)) {
            break;
        }
        value = std::min(value * 10 + (c - '0'), kLimit);
    }
    value = negative ? -value : value;
    return int(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                   std::numeric_limits<int>::max()));
}

double parseLeadingDouble(std::string_view text) {
    const bool negative = skipBlanksAndSign(text);
    if (text.empty() || text.front() == '-' || text.front() == '+') {
        return 0.0;
    }
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error == std::errc::invalid_argument) {
        return 0.0;
    }
    constexpr double kMax = std::numeric_limits<double>::max();
    if (error == std::errc::result_out_of_range) {
        value = isTooLarge(std::string_view(text.data(), size_t(end - text.data()))) ? kMax : 0.0;
    } else if (std::isnan(value)) {
        value = 0.0;
    } else if (std::isinf(value)) {
        value = kMax;
    }
    return negative ? -value : value;
}

std::string formatFixed(double value, int decimals) {
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return error == std::errc{} ? std::string(buffer, end) : std::string{};
}

}  // namespace quorvane
