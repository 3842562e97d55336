#include "simulator/subcommand.h"

#include <charconv>
#include <cstdio>

namespace quorvane::sim {

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

int usageError(const Subcommand& command, const std::string& problem) {
    std::fprintf(stderr, "quorvane-sim %s: %s\nusage: quorvane-sim %s %s\n", command.name,
                 problem.c_str(), command.name, command.usage);
    return kExitUsage;
}

std::optional<double> parseNumber(std::string_view text) {
    return parseWhole<double>(text);
}
std::optional<int64_t> parseInteger(std::string_view text) {
    return parseWhole<int64_t>(text);
}
std::optional<uint64_t> parseUnsigned(std::string_view text) {
    return parseWhole<uint64_t>(text);
}

}  // namespace quorvane::sim
