#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

// One cast's values on the fit grid. The rule is stated on the cast sorted by depth (equal
// depths in cast order): linear extrapolation from the two shallowest or two deepest points
// beyond the ends, inside them the line through the strictly bracketing pair, nothing at a
// point's own depth. Sorting is not needed for that: the bracketing pair of a grid depth is the
// last point shallower than it and the first point not shallower, in that order, so one pass
// over the points finds the pair for every grid depth. A cast of a million samples costs a
// binary search per sample instead of a sort.
class CastOnGrid {
  public:
    CastOnGrid(const std::vector<ProfilePoint>& cast, const std::vector<double>& grid);

    struct Value {
        bool present = false;
        double velocity = 0.0;
        double temperature = 0.0;
    };
    Value at(size_t gridIndex) const;

  private:
    static constexpr int64_t kNone = -1;

    // Order of the sorted cast: by depth, then by position in the cast.
    bool before(int64_t a, int64_t b) const;
    Value line(int64_t p, int64_t q, double d) const;
    // How many grid depths lie at or above `depth` (the first grid index deeper than it).
    size_t firstGridIndexDeeper(double depth) const;

    const std::vector<ProfilePoint>& cast_;
    const std::vector<double>& grid_;
    int64_t first_ = kNone, second_ = kNone, penultimate_ = kNone, last_ = kNone;
    std::vector<int64_t> lastShallower_;  // per grid depth: last point with depth < it
    std::vector<int64_t> firstNotAbove_;  // per grid depth: first point with depth >= it
};

}  // namespace quorvane
