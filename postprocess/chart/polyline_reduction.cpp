#include "postprocess/chart/polyline_reduction.h"

#include <algorithm>
#include <array>

namespace quorvane {

void reduceColumns(std::vector<Point>& points) {
    size_t out = 0;
    size_t runStart = 0;
    while (runStart < points.size()) {
        size_t runEnd = runStart + 1;
        size_t top = runStart, bottom = runStart;
        while (runEnd < points.size() && points[runEnd].x == points[runStart].x) {
            if (points[runEnd].y < points[top].y) {
                top = runEnd;
            }
            if (points[runEnd].y > points[bottom].y) {
                bottom = runEnd;
            }
            ++runEnd;
        }
        // The extremes lie between the run's first and last point; kept points are distinct
        // indices of the run in order, so each lands at or before its source.
        const std::array<size_t, 4> keep{runStart, std::min(top, bottom), std::max(top, bottom),
                                         runEnd - 1};
        for (size_t i = 0; i < keep.size(); ++i) {
            if (i == 0 || keep[i] != keep[i - 1]) {
                points[out++] = points[keep[i]];
            }
        }
        runStart = runEnd;
    }
    points.resize(out);
}

}  // namespace quorvane
