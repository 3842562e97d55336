#include "common/parse_number.h"

#include <charconv>
#include <cmath>
#include <limits>

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

const Message kNotANumberMessage{BoxType::Warning, {"请输入一个数字。", "Please enter a number."}};

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

std::optional<double> parseFieldNumber(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    // from_chars takes a minus but no plus sign.
    if (text.starts_with('+') && !text.starts_with("+-")) {
        text.remove_prefix(1);
    }
    return parseNumber(text);
}

std::optional<float> parseFieldFloat(std::string_view text) {
    const std::optional<double> value = parseFieldNumber(text);
    if (!value || std::fabs(*value) > double(std::numeric_limits<float>::max())) {
        return std::nullopt;
    }
    return float(*value);
}

}  // namespace quorvane
