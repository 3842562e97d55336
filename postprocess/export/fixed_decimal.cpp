#include "postprocess/export/fixed_decimal.h"

#include "common/strformat.h"

namespace quorvane {

std::string Fixed3(double value) {
    return FixedDecimals(value, 3);
}

}  // namespace quorvane
