#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The reading rules of the C library's atoi and atof, which the device's replies were always
// read with: leading blanks skipped, an optional sign, then as much as fits; no number gives 0.
// Unlike them these never have undefined behaviour and never depend on the process locale:
// an integer out of range is clamped to the int range, a real out of range to the largest
// finite double (or to 0 when it is too small), and infinities and NaNs are not let through
// (clamped, and 0). Hexadecimal reals are not read.
int parseLeadingInt(std::string_view text);
double parseLeadingDouble(std::string_view text);

// "%.Nf" of the C locale, whatever locale the process runs in: these texts go on the wire
// and into fields whose decimal point must stay a point.
std::string formatFixed(double value, int decimals);

}  // namespace quorvane
