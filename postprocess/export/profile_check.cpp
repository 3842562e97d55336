#include "postprocess/export/profile_check.h"

#include <cmath>

namespace quorvane {

std::optional<ExportFailure> checkProfileValues(std::span<const ProfilePoint> points,
                                                bool depthsGoDown) {
    for (size_t i = 0; i < points.size(); ++i) {
        const ProfilePoint& p = points[i];
        const size_t row = i + 1;
        if (!std::isfinite(p.depth) || !std::isfinite(p.soundVelocity) ||
            !std::isfinite(p.temperature)) {
            return ExportFailure{ExportProblem::ValueNotNumber, row};
        }
        if (depthsGoDown && i > 0 && p.depth < points[i - 1].depth) {
            return ExportFailure{ExportProblem::DepthGoesUp, row, p.depth, points[i - 1].depth};
        }
    }
    return std::nullopt;
}

}  // namespace quorvane
