#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/message.h"

namespace quorvane {

// The whole text as a number, for command lines and the simulated device's commands: empty
// text, blanks, trailing characters and values the type cannot hold are refused, and so are
// "nan" and "inf", which no setting can mean.
std::optional<double> parseNumber(std::string_view text);
std::optional<int64_t> parseInteger(std::string_view text);
std::optional<uint64_t> parseUnsigned(std::string_view text);

// A number typed into a settings field of either window, read the same whatever the user's
// locale: blanks around it and a leading plus sign are allowed, anything else is refused as
// above. The float form also refuses a value a float field cannot hold.
std::optional<double> parseFieldNumber(std::string_view text);
std::optional<float> parseFieldFloat(std::string_view text);

// Shown when a settings field does not hold a number.
extern const Message kNotANumberMessage;

}  // namespace quorvane
