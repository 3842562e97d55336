#include "postprocess/window/chart_painter.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

// The box around every pixel of `image` that is not white.
QRect inked(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

TEST(PaintDisplayList, PlacesEachOperationWhereTheLayoutSays) {
    const Pen wide{{255, 0, 0}, 2};
    const Pen thin{{0, 0, 0}, 1};
    struct Case {
        const char* what;
        DrawOp op;
        QRect expected;  // null: only checked to lie inside `within`
        QRect within;
    };
    const Case cases[] = {
        // Lines end one pixel short of their last point, as on the platform of the layout;
        // a 2-pixel pen covers the pixel before and the one at each point.
        {"2-pixel curve", PolylineOp{wide, {{10, 20}, {30, 20}}}, QRect(9, 19, 21, 2), {}},
        {"1-pixel line", LineOp{thin, {5, 5}, {5, 15}}, QRect(5, 5, 1, 10), {}},
        {"fill", FillOp{{2, 3, 12, 8}, {0, 0, 255}}, QRect(2, 3, 10, 5), {}},
        // Text hangs below its top-left corner, never above or left of it.
        {"label",
         TextOp{FontRole::Label, {0, 0, 0}, false, false, {20, 30}, "1500.0"},
         {},
         QRect(20, 30, 60, 20)},
        // Rotated text runs upward from its point and lies right of it.
        {"axis title",
         TextOp{FontRole::AxisTitle, {0, 0, 0}, false, true, {10, 90}, "Depth(m)"},
         {},
         QRect(10, 20, 20, 71)},
    };
    for (const Case& c : cases) {
        DisplayList list;
        list.width = 100;
        list.height = 100;
        list.ops.push_back(c.op);
        const QRect box = inked(PaintDisplayList(list, true));
        if (!c.expected.isNull()) {
            EXPECT_EQ(box, c.expected) << c.what;
        } else {
            EXPECT_FALSE(box.isNull()) << c.what;
            EXPECT_TRUE(c.within.contains(box)) << c.what;
        }
    }
}

}  // namespace
}  // namespace quorvane
