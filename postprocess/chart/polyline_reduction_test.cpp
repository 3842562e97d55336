#include "postprocess/chart/polyline_reduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "postprocess/chart/curve_raster.h"

namespace quorvane {
namespace {

struct ReductionCase {
    const char* name;
    std::vector<Point> in, out;
};

TEST(ReduceColumns, KeepsFirstExtremesAndLastOfEachColumnInOrder) {
    const ReductionCase cases[] = {
        {"empty", {}, {}},
        {"one column per point", {{1, 5}, {2, 9}, {3, 1}}, {{1, 5}, {2, 9}, {3, 1}}},
        {"short run", {{4, 5}, {4, 9}, {4, 1}}, {{4, 5}, {4, 9}, {4, 1}}},
        {"long run",
         {{5, 10}, {5, 3}, {5, 20}, {5, 8}, {5, 15}, {5, 12}},
         {{5, 10}, {5, 3}, {5, 20}, {5, 12}}},
        {"deepest before shallowest",
         {{1, 1}, {2, 5}, {2, 9}, {2, 7}, {2, 1}, {2, 3}, {3, 3}},
         {{1, 1}, {2, 5}, {2, 9}, {2, 1}, {2, 3}, {3, 3}}},
        {"first is the top, last the bottom",
         {{0, 0}, {0, 4}, {0, 2}, {0, 3}, {0, 9}, {1, 9}},
         {{0, 0}, {0, 9}, {1, 9}}},
        {"repeated extremes keep their first occurrence",
         {{7, 4}, {7, 2}, {7, 6}, {7, 2}, {7, 6}, {7, 5}},
         {{7, 4}, {7, 2}, {7, 6}, {7, 5}}},
        {"one point repeated", {{3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3}}, {{3, 3}, {3, 3}}},
        {"the column may come back",
         {{1, 1}, {1, 2}, {2, 2}, {1, 3}},
         {{1, 1}, {1, 2}, {2, 2}, {1, 3}}},
    };
    for (const ReductionCase& c : cases) {
        std::vector<Point> points = c.in;
        reduceColumns(points);
        EXPECT_EQ(points, c.out) << c.name;
    }
}

// A long series crosses each pixel column many times, up and down: what the dropped points
// drew, the kept ones draw too, pixel for pixel, with the window's pen.
TEST(ReduceColumns, DrawsTheSamePixels) {
    constexpr int kWidth = 160, kHeight = 120;
    for (uint32_t seed = 1; seed <= 50; ++seed) {
        std::mt19937 random(seed);
        std::vector<Point> points{{50, 50}};
        for (int i = 0; i < 400; ++i) {
            const Point p = points.back();
            points.push_back(
                {std::clamp(p.x + int(random() % 8 / 6) * (random() % 2 ? 1 : -1), 0, kWidth),
                 std::clamp(p.y + int(random() % 21) - 10, 0, kHeight)});
        }
        std::vector<Point> reduced = points;
        reduceColumns(reduced);
        ASSERT_LT(reduced.size(), points.size() * 3 / 4) << seed;
        Pixels full{kWidth, kHeight, std::vector<uint32_t>(kWidth * kHeight)};
        Pixels kept = full;
        CurveRaster raster;
        raster.draw(viewOf(full), PolylineOp{Pen{{0, 0, 0}, 2}, points});
        raster.draw(viewOf(kept), PolylineOp{Pen{{0, 0, 0}, 2}, reduced});
        EXPECT_EQ(full.rgb, kept.rgb) << "seed " << seed;
    }
}

}  // namespace
}  // namespace quorvane
