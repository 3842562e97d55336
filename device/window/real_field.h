#pragma once

#include <string>

namespace quorvane {

// The dialog framework's real-number display for the three settings fields, which users know
// from the original program: a value is shown with up to 15 significant digits ("1.025", "30",
// "0.5"). The fields are read back with parseFieldNumber (common/parse_number.h).
std::string realFieldText(double value);

}  // namespace quorvane
