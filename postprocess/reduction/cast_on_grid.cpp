#include "postprocess/reduction/cast_on_grid.h"

#include <cmath>

namespace quorvane {

bool CastOnGrid::before(int64_t a, int64_t b) const {
    const double da = cast_[size_t(a)].depth;
    const double db = cast_[size_t(b)].depth;
    return da < db || (da == db && a < b);
}

CastOnGrid::CastOnGrid(const std::vector<ProfilePoint>& cast, const std::vector<double>& grid)
    : cast_(cast), grid_(grid) {
    if (cast.size() < 3) {
        return;  // one point is a constant, two are too few to fit: no search needed
    }
    const size_t g = grid.size();
    std::vector<int64_t> lastBelowIn(g, kNone);  // candidates by the first grid depth above them
    std::vector<int64_t> firstAtIn(g, kNone);    // candidates by the last grid depth at or below
    const auto later = [&](int64_t current, int64_t i) {
        return current == kNone || before(current, i) ? i : current;
    };
    const auto earlier = [&](int64_t current, int64_t i) {
        return current == kNone || before(i, current) ? i : current;
    };
    for (int64_t i = 0; i < int64_t(cast.size()); ++i) {
        first_ = earlier(first_, i);
        last_ = later(last_, i);
        // Grid depths from index `above` on lie deeper than this point.
        const size_t above = firstGridIndexDeeper(cast[size_t(i)].depth);
        if (above < g) {
            lastBelowIn[above] = later(lastBelowIn[above], i);
        }
        if (above > 0) {
            firstAtIn[above - 1] = earlier(firstAtIn[above - 1], i);
        }
    }
    for (int64_t i = 0; i < int64_t(cast.size()); ++i) {
        if (i != first_)
            second_ = earlier(second_, i);
        if (i != last_)
            penultimate_ = later(penultimate_, i);
    }
    lastShallower_.assign(g, kNone);
    firstNotAbove_.assign(g, kNone);
    int64_t running = kNone;
    for (size_t k = 0; k < g; ++k) {
        if (lastBelowIn[k] != kNone)
            running = later(running, lastBelowIn[k]);
        lastShallower_[k] = running;
    }
    running = kNone;
    for (size_t k = g; k-- > 0;) {
        if (firstAtIn[k] != kNone)
            running = earlier(running, firstAtIn[k]);
        firstNotAbove_[k] = running;
    }
}

size_t CastOnGrid::firstGridIndexDeeper(double depth) const {
    const size_t g = grid_.size();
    if (g == 0 || std::isnan(depth)) {
        return g;
    }
    if (g < 2 || !(depth >= grid_[0])) {
        return depth >= grid_[0] ? g : 0;
    }
    // The grid is an even step apart up to rounding: guess, then step to the exact place
    // (a binary search per sample would cost more than the rest of the fit).
    const double guess = (depth - grid_[0]) / (grid_[1] - grid_[0]);
    size_t k = guess >= double(g) ? g : size_t(guess) + 1;
    while (k < g && !(depth < grid_[k])) ++k;
    while (k > 0 && depth < grid_[k - 1]) --k;
    return k;
}

CastOnGrid::Value CastOnGrid::line(int64_t p, int64_t q, double d) const {
    const ProfilePoint& a = cast_[size_t(p)];
    const ProfilePoint& b = cast_[size_t(q)];
    const double dz = b.depth - a.depth;
    if (dz == 0.0) {
        return {};  // two points at one depth define no line
    }
    // The instrument software's own arithmetic, so that fitted values agree to the last bit.
    const double kv = (b.soundVelocity - a.soundVelocity) / dz;
    const double kt = (b.temperature - a.temperature) / dz;
    return {true, a.soundVelocity - kv * a.depth + kv * d, a.temperature - kt * a.depth + kt * d};
}

CastOnGrid::Value CastOnGrid::at(size_t k) const {
    if (cast_.size() == 1) {
        return {true, cast_[0].soundVelocity, cast_[0].temperature};
    }
    if (cast_.size() < 3) {
        return {};
    }
    const double d = grid_[k];
    if (d < cast_[size_t(first_)].depth) {
        return line(first_, second_, d);
    }
    if (d > cast_[size_t(last_)].depth) {
        return line(penultimate_, last_, d);
    }
    const int64_t below = lastShallower_[k];
    const int64_t above = firstNotAbove_[k];
    if (below == kNone || above == kNone || !(cast_[size_t(above)].depth > d)) {
        return {};  // no pair brackets d strictly: d is a point's own depth
    }
    return line(below, above, d);
}

}  // namespace quorvane
