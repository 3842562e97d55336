#include "postprocess/chart/curve_raster.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

namespace quorvane {

PixelView viewOf(Pixels& pixels) {
    return {pixels.rgb.data(), pixels.width, pixels.height, pixels.width};
}

namespace {

// The directions a segment can be stepped in; a segment that turns back along the same axis
// is stepped half a pixel further at the turn, as the screen painter does.
enum Direction : int {
    kNoDirection = 0,
    kTopToBottom = 1,
    kBottomToTop = 2,
    kLeftToRight = 4,
    kRightToLeft = 8,
    kVertical = kTopToBottom | kBottomToTop,
    kHorizontal = kLeftToRight | kRightToLeft,
};
constexpr int kCapBegin = 1, kCapEnd = 2;
// No pixel drawn yet (or the line left the bitmap): no dropout control against it.
constexpr int64_t kNone = INT_MIN;

struct Pixel {
    int64_t x = kNone, y = kNone;
    bool operator==(const Pixel&) const = default;
};

// 16.16 fixed-point quotient, truncated toward zero.
int64_t fixedDiv(int64_t numerator, int64_t denominator) {
    return numerator * 65536 / denominator;
}

// 26.6 fixed point of a coordinate, truncated toward zero.
int64_t toFixed(double coordinate) {
    return static_cast<int>(coordinate * 64.);
}

// The one-pixel aliased polyline of the screen painter for a device of width x height. The
// points are whole pixels, so the painter's special case for segments shorter than a pixel
// never arises. Clipping happens in floating point a pixel outside the device, which is why a
// line that leaves the bitmap can differ from the same line moved.
template <class Plot>
class ThinLine {
  public:
    ThinLine(int width, int height, Plot& plot)
        : xMax_(width + 1.0), yMax_(height + 1.0), plot_(plot) {}

    void polyline(const std::vector<Point>& points, Point offset) {
        if (points.size() < 2) {
            return;
        }
        const auto at = [&](size_t i) {
            return std::pair<double, double>(double(points[i].x) + offset.x,
                                             double(points[i].y) + offset.y);
        };
        last_ = {};
        lastDir_ = kNoDirection;
        lastAligned_ = false;
        // A polyline that ends where it began is a closed contour: its first segment joins the
        // last one without a dropped or doubled pixel.
        if (points.front() == points.back()) {
            const auto [fx, fy] = at(0);
            const auto [px, py] = at(points.size() > 2 ? points.size() - 2 : points.size() - 1);
            segment(px, py, fx, fy, true);
        }
        for (size_t i = 1; i < points.size(); ++i) {
            const auto [x1, y1] = at(i - 1);
            const auto [x2, y2] = at(i);
            segment(x1, y1, x2, y2, false);
        }
    }

  private:
    // True when nothing of the line is inside; the end moved to the border forgets the last pixel.
    bool clip(double& x1, double& y1, double& x2, double& y2) {
        if (x1 < kMin) {
            if (x2 <= kMin)
                return clippedAway();
            y1 += (y2 - y1) / (x2 - x1) * (kMin - x1);
            x1 = kMin;
        } else if (x1 > xMax_) {
            if (x2 >= xMax_)
                return clippedAway();
            y1 += (y2 - y1) / (x2 - x1) * (xMax_ - x1);
            x1 = xMax_;
        }
        if (x2 < kMin) {
            last_.x = kNone;
            y2 += (y2 - y1) / (x2 - x1) * (kMin - x2);
            x2 = kMin;
        } else if (x2 > xMax_) {
            last_.x = kNone;
            y2 += (y2 - y1) / (x2 - x1) * (xMax_ - x2);
            x2 = xMax_;
        }
        if (y1 < kMin) {
            if (y2 <= kMin)
                return clippedAway();
            x1 += (x2 - x1) / (y2 - y1) * (kMin - y1);
            y1 = kMin;
        } else if (y1 > yMax_) {
            if (y2 >= yMax_)
                return clippedAway();
            x1 += (x2 - x1) / (y2 - y1) * (yMax_ - y1);
            y1 = yMax_;
        }
        if (y2 < kMin) {
            last_.x = kNone;
            x2 += (x2 - x1) / (y2 - y1) * (kMin - y2);
            y2 = kMin;
        } else if (y2 > yMax_) {
            last_.x = kNone;
            x2 += (x2 - x1) / (y2 - y1) * (yMax_ - y2);
            y2 = yMax_;
        }
        return false;
    }

    bool clippedAway() {
        last_.x = kNone;
        return true;
    }

    // `measureOnly`: only learn the last pixel and direction of the segment (the closing
    // segment of a contour), drawing nothing.
    void segment(double x1, double y1, double x2, double y2, bool measureOnly) {
        if (measureOnly) {
            last_ = {};
        }
        if (clip(x1, y1, x2, y2)) {
            return;
        }
        const int64_t fx1 = toFixed(x1), fy1 = toFixed(y1), fx2 = toFixed(x2), fy2 = toFixed(y2);
        const int64_t dx = std::abs(fx2 - fx1), dy = std::abs(fy2 - fy1);
        if (dx < dy) {
            step<true>(fy1, fx1, fy2, fx2, measureOnly);
        } else if (dx != 0) {
            step<false>(fx1, fy1, fx2, fy2, measureOnly);
        }
    }

    // One segment stepped one pixel at a time along its major axis `a` (y for a steep segment),
    // its minor coordinate `b` in 16.16 fixed point; ends in 26.6 fixed point.
    template <bool kSteep>
    void step(int64_t a1, int64_t b1, int64_t a2, int64_t b2, bool measureOnly) {
        const auto pixel = [](int64_t a, int64_t b) { return kSteep ? Pixel{b, a} : Pixel{a, b}; };
        const bool swapped = a1 > a2;
        if (swapped) {
            std::swap(a1, a2);
            std::swap(b1, b2);
        }
        const int dir = kSteep ? (swapped ? kBottomToTop : kTopToBottom)
                               : (swapped ? kRightToLeft : kLeftToRight);
        const int64_t bInc = fixedDiv(b2 - b1, a2 - a1);
        int64_t b = b1 * 1024;

        int caps = 0;
        if (!measureOnly && (lastDir_ ^ (kSteep ? kVertical : kHorizontal)) == dir) {
            caps = swapped ? kCapEnd : kCapBegin;
        }
        if (caps & kCapBegin) {
            a1 -= 32;
            b -= bInc >> 1;
        }
        if (caps & kCapEnd) {
            a2 += 32;
        }
        int64_t a = (a1 + 32) >> 6;
        int64_t aEnd = (a2 + 32) >> 6;
        const int64_t round = bInc > 0 ? 32 : 0;
        // The half pixel added at a turn must not move the start off the pixel the turn ended on.
        if ((caps & kCapBegin) && (kSteep ? last_.y : last_.x) == a + 1) {
            ++a;
        }
        if (a == aEnd) {
            return;
        }
        b += ((a * 64) + round - a1) * bInc >> 6;
        Pixel first = pixel(a, b >> 16);
        Pixel last = pixel(aEnd - 1, (b + (aEnd - a - 1) * bInc) >> 16);
        if (swapped) {
            std::swap(first, last);
        }
        const bool aligned = std::abs(bInc) < (1 << 14);
        if (!measureOnly && last_.x > kNone) {
            // Dropout control against the previous segment's last pixel: a joint is drawn
            // once, a corner that would leave a gap gets the missing pixel, and a segment that
            // continues the same way after a jump across the minor axis starts half a step on.
            const int64_t gapX = std::abs(last_.x - first.x), gapY = std::abs(last_.y - first.y);
            if (first == last_) {
                if (swapped) {
                    --aEnd;
                } else {
                    ++a;
                    b += bInc;
                }
            } else if (lastDir_ != dir &&
                       ((aligned && lastAligned_ && last_.x != first.x && last_.y != first.y) ||
                        gapX > 1 || gapY > 1)) {
                if (swapped) {
                    ++aEnd;
                } else {
                    --a;
                    b -= bInc;
                }
            } else if (lastDir_ == dir && gapX <= 1 && gapY > 1) {
                b += bInc >> 1;
                const int64_t lastMinor = swapped ? b >> 16 : (b + (aEnd - a - 1) * bInc) >> 16;
                (kSteep ? last.x : last.y) = lastMinor;
            }
        }
        lastDir_ = dir;
        lastAligned_ = aligned;
        if (!measureOnly) {
            // At least one pixel, even where the joint took the segment's only one.
            do {
                const Pixel p = pixel(a, b >> 16);
                plot_(p.x, p.y);
                b += bInc;
            } while (++a < aEnd);
        }
        last_ = last;
    }

    static constexpr double kMin = -1.0;
    const double xMax_, yMax_;
    Plot& plot_;
    Pixel last_;
    int lastDir_ = kNoDirection;
    bool lastAligned_ = false;
};

}  // namespace

void CurveRaster::draw(const PixelView& target, const PolylineOp& curve) {
    const int w = target.width, h = target.height;
    if (w <= 0 || h <= 0 || curve.points.size() < 2) {
        return;
    }
    const size_t maskWidth = size_t(w) + 1;
    mask_.assign(maskWidth * size_t(h + 1), 0);
    auto plot = [&](int64_t x, int64_t y) {
        if (x >= 0 && y >= 0 && x <= w && y <= h) {
            mask_[size_t(y) * maskWidth + size_t(x)] = 1;
        }
    };
    ThinLine<decltype(plot)> line(w, h, plot);

    const int n = std::max(curve.pen.width, 1);
    const int low = -(n / 2), high = n - 1 - n / 2;
    // Away from the border no offset of the pen is clipped, and the thin line is the same
    // line moved: draw it once and widen its pixels. Near the border each offset is drawn.
    const bool inside = std::all_of(curve.points.begin(), curve.points.end(), [&](Point p) {
        return p.x >= n && p.x <= w - n && p.y >= n && p.y <= h - n;
    });
    int spreadLow = low, spreadHigh = high;
    if (inside) {
        line.polyline(curve.points, {0, 0});
    } else {
        for (int dy = low; dy <= high; ++dy) {
            for (int dx = low; dx <= high; ++dx) line.polyline(curve.points, {dx, dy});
        }
        spreadLow = spreadHigh = 0;
    }

    const Rgb c = curve.pen.color;
    const uint32_t color = 0xff000000u | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
    for (int y = 0; y <= h; ++y) {
        const uint8_t* row = &mask_[size_t(y) * maskWidth];
        for (int x = 0; x <= w; ++x) {
            if (!row[x]) {
                continue;
            }
            for (int ty = std::max(y + spreadLow, 0); ty <= std::min(y + spreadHigh, h - 1); ++ty) {
                uint32_t* out = target.data + size_t(ty) * size_t(target.stride);
                for (int tx = std::max(x + spreadLow, 0); tx <= std::min(x + spreadHigh, w - 1);
                     ++tx) {
                    out[tx] = color;
                }
            }
        }
    }
}

}  // namespace quorvane
