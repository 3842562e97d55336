#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace quorvane {

// The fields of a device line counted from its first comma: field i runs from comma i + 1 to
// comma i + 2, the last from comma `commas` to the first '*' after it ("$cmd,a,b,c*ff" with 3
// commas gives a, b, c). Nothing when a comma or that '*' is missing; what follows the '*'
// is not looked at.
std::optional<std::vector<std::string_view>> commaFields(std::string_view line, size_t commas);

}  // namespace quorvane
