#pragma once

#include <string>

namespace quorvane {

// printf-style formatting into a std::string: the file layouts and texts are given as C
// format strings ("%.3f", "%08d"), and this keeps their output exact.
std::string strformat(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The "%.<decimals>f" text of a value in the "C" locale, whatever LC_NUMERIC says: files and
// pictures must show a decimal point even when the program runs under a comma locale.
std::string fixedDecimals(double value, int decimals);

}  // namespace quorvane
