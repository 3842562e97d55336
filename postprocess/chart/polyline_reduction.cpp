#include "postprocess/chart/polyline_reduction.h"

#include <algorithm>
#include <array>

namespace quorvane {

void ReduceColumns(std::vector<Point>& points) {
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
        std::array<size_t, 4> keep{runStart, top, bottom, runEnd - 1};
        std::sort(keep.begin(), keep.end());
        const auto kept = std::unique(keep.begin(), keep.end());
        // Kept points are distinct indices of the run, so each lands at or before its source.
        for (auto it = keep.begin(); it != kept; ++it) {
            points[out++] = points[*it];
        }
        runStart = runEnd;
    }
    points.resize(out);
}

}  // namespace quorvane
