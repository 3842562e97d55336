#include "postprocess/export/fixed_decimal.h"

#include "common/strformat.h"

namespace quorvane {

std::string fixed3(double value) {
    return fixedDecimals(value, 3);
}

}  // namespace quorvane
