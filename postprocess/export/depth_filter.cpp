#include "postprocess/export/depth_filter.h"

#include <cmath>

namespace quorvane {

namespace {
// The filter depth is a single-precision value typed by the user and the depths are sums of
// doubles, so a step that is meant to equal the filter depth can miss it by a few ULPs (0.1f
// lies above 0.1, and 1.1 - 1.0 below it). A micrometre of slack keeps such rows; depths are
// written to the millimetre, so no row a user could tell apart changes its fate.
constexpr double kDepthSlack = 1e-6;
}  // namespace

bool DepthFilter::accept(double depth) {
    if (enabled_ && anyAccepted_ &&
        !(std::fabs(depth - lastDepth_) >= filterDepth_ - kDepthSlack)) {
        return false;
    }
    anyAccepted_ = true;
    lastDepth_ = depth;
    return true;
}

}  // namespace quorvane
