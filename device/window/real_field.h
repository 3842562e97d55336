#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/message.h"

namespace quorvane {

// The dialog framework's real-number exchange for the three settings fields, which users know
// from the original program: a value is shown with up to 15 significant digits ("1.025", "30",
// "0.5"); a field is read back only when all of it, blanks around it aside, is one finite
// decimal number, whatever the locale.
std::string realFieldText(double value);
std::optional<double> parseRealField(std::string_view text);

// Shown when a field does not hold a number; nothing is sent then.
extern const Message kNotANumberBox;

}  // namespace quorvane
