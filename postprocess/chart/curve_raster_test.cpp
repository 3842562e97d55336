#include "postprocess/chart/curve_raster.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

constexpr uint32_t kWhite = 0x00ffffff;
constexpr Rgb kTeal{0, 128, 192};
constexpr uint32_t kTealPixel = 0xff0080c0;

struct Box {
    int left, top, right, bottom;  // inclusive
};

TEST(CurveRaster, InksThePixelsOfThePaintersAliasedRule) {
    struct Case {
        const char* what;
        int penWidth;
        std::vector<Point> points;
        std::vector<Box> inked;
    };
    const Case cases[] = {
        // The last pixel of a line is left out; a 2-pixel pen adds the row above and the
        // column left of every pixel.
        {"flat 2-pixel", 2, {{10, 20}, {30, 20}}, {{9, 19, 29, 20}}},
        {"down 1-pixel", 1, {{5, 5}, {5, 15}}, {{5, 5, 5, 14}}},
        // Stepped from its lower end, a line going up draws its end pixel, not its start.
        {"up 1-pixel", 1, {{5, 15}, {5, 5}}, {{5, 5, 5, 14}}},
        // Turning back along the same row steps half a pixel further: the turning point,
        // left out by the first segment, is drawn by the second.
        {"turn back", 1, {{10, 10}, {20, 10}, {15, 10}}, {{10, 10, 20, 10}}},
        // Clipped a pixel left of the bitmap: what is inside stays.
        {"from far left", 1, {{-50, 5}, {5, 5}}, {{0, 5, 4, 5}}},
        // One pixel diagonal steps: x and y advance together.
        {"diagonal", 1, {{2, 2}, {6, 6}}, {{2, 2, 2, 2}, {3, 3, 3, 3}, {4, 4, 4, 4}, {5, 5, 5, 5}}},
        {"one point", 2, {{10, 10}}, {}},
    };
    for (const Case& c : cases) {
        // Two columns beyond the width show that rows are found by their stride.
        constexpr int kWidth = 40, kHeight = 30, kStride = 42;
        std::vector<uint32_t> buffer(kStride * kHeight, kWhite);
        CurveRaster().draw({buffer.data(), kWidth, kHeight, kStride},
                           PolylineOp{Pen{kTeal, c.penWidth}, c.points});
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kStride; ++x) {
                bool expected = false;
                for (const Box& b : c.inked) {
                    expected |= x >= b.left && x <= b.right && y >= b.top && y <= b.bottom;
                }
                ASSERT_EQ(buffer[size_t(y * kStride + x)], expected ? kTealPixel : kWhite)
                    << c.what << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace quorvane
