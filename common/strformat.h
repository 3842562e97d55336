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

}  // namespace quorvane
