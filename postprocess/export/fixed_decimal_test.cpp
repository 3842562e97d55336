#include "postprocess/export/fixed_decimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/strformat.h"

namespace quorvane {
namespace {

// The exports promise printf's "%.3f" in the "C" locale, which is what the test process runs in.
TEST(FixedDecimal, MatchesPrintfInTheCLocale) {
    constexpr double kMax = std::numeric_limits<double>::max();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    const double special[] = {0.0,       -0.0,  0.0625, 0.0005, -0.0004, 1499.9996,
                              1500.1234, 2.675, 1e-9,   -1e-9,  1e20,    -273.15,
                              1.0 / 3,   kMax,  kInf,   -kInf,  kNaN};
    for (const double value : special) {
        EXPECT_EQ(fixed3(value), strformat("%.3f", value)) << value;
    }
    // Half-millimetre steps put many values on or next to a rounding tie.
    for (int i = -4000; i <= 4000; ++i) {
        const double value = i * 0.0005 + 1500.0 * (i % 3);
        ASSERT_EQ(fixed3(value), strformat("%.3f", value)) << value;
    }
}

}  // namespace
}  // namespace quorvane
