#include "postprocess/export/fixed_decimal.h"

#include <charconv>

namespace quorvane {

std::string fixed3(double value) {
    // to_chars is specified to give printf's "C"-locale result; the largest double needs 309
    // integral digits, a sign, a point and three decimals.
    char text[320];
    const std::to_chars_result result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
    return std::string(text, result.ptr);
}

}  // namespace quorvane
