#include "common/parse_number.h"

#include <charconv>
#include <cmath>

namespace quorvane {

namespace {

template <typename T>
std::optional<T> parseWhole(std::string_view text) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text) {
    const std::optional<double> value = parseWhole<double>(text);
    if (value && !std::isfinite(*value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int64_t> parseInteger(std::string_view text) {
    return parseWhole<int64_t>(text);
}

std::optional<uint64_t> parseUnsigned(std::string_view text) {
    return parseWhole<uint64_t>(text);
}

}  // namespace quorvane
