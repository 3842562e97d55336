#pragma once

#include <string>

namespace quorvane {

// The "%.3f" text of a value, always with a decimal point: export files are read by survey tools
// that expect a point whatever locale the program was started in, and printf follows LC_NUMERIC.
std::string fixed3(double value);

}  // namespace quorvane
