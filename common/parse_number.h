#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvane {

// The whole text as a number, for command lines and the simulated device's commands: empty
// text, blanks, trailing characters and values the type cannot hold are refused, and so are
// "nan" and "inf", which no setting can mean.
std::optional<double> parseNumber(std::string_view text);
std::optional<int64_t> parseInteger(std::string_view text);
std::optional<uint64_t> parseUnsigned(std::string_view text);

}  // namespace quorvane
