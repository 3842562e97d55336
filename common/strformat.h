#pragma once

#include <cstdio>
#include <string>

namespace quorvane {

// printf-style formatting into a std::string: the file layouts and texts are given as C
// format strings ("%.3f", "%08d"), and this keeps their output exact.
std::string strformat(const char* format, ...)
#if defined(__MINGW32__)
    // MinGW's C++ runtime formats with its own C99 printf ("%zu", "%lld"); plain `printf` here
    // would check against the Microsoft rules instead.
    __attribute__((format(__MINGW_PRINTF_FORMAT, 1, 2)))
#elif defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The "%.<decimals>f" text of a value in the "C" locale, whatever LC_NUMERIC says: files and
// pictures must show a decimal point even when the program runs under a comma locale.
std::string fixedDecimals(double value, int decimals);

// printf's "%<width>.<decimals>f" in the same "C" locale.
std::string fixedWidth(double value, int width, int decimals);

}  // namespace quorvane
