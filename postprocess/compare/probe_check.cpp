#include "postprocess/compare/probe_check.h"

#include <cmath>

#include "postprocess/compare/ray_trace.h"

namespace quorvane {

ProbeCheck checkSurfaceProbe(std::span<const ProfilePoint> cast, double probeSpeed, double draft,
                             double limit) {
    ProbeCheck check;
    check.draft = draft;
    check.probeSpeed = probeSpeed;
    check.limit = limit;
    if (cast.empty()) {
        check.problem = ProbeCheckProblem::EmptyCast;
        return check;
    }
    check.castTop = cast.front().depth;
    check.castBottom = cast.back().depth;
    if (!(draft >= check.castTop && draft <= check.castBottom)) {
        check.problem = ProbeCheckProblem::DraftOutsideCast;
        return check;
    }
    check.castSpeed = speedAtDepth(cast, draft);
    check.difference = probeSpeed - check.castSpeed;
    check.passed = std::abs(check.difference) <= limit;
    return check;
}

}  // namespace quorvane
