#include "postprocess/window/chart_painter.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPolygon>
#include <array>
#include <random>

#include "postprocess/chart/chart_layout.h"

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
    struct Case {
        const char* what;
        DrawOp op;
        QRect expected;  // null: only checked to lie inside `within`
        QRect within;
    };
    const Case cases[] = {
        // Lines end one pixel short of their last point, as on the platform of the layout.
        {"1-pixel line", LineOp{Pen{{0, 0, 0}, 1}, {5, 5}, {5, 15}}, QRect(5, 5, 1, 10), {}},
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
        const QRect box = inked(paintDisplayList({100, 100, {255, 255, 255}, {c.op}}, true));
        if (!c.expected.isNull()) {
            EXPECT_EQ(box, c.expected) << c.what;
        } else {
            EXPECT_FALSE(box.isNull()) << c.what;
            EXPECT_TRUE(c.within.contains(box)) << c.what;
        }
    }
}

// How the window drew curves before it drew them itself: the painter's thin aliased line,
// swept over the pen's square. The picture must not change.
void paintWithPainter(QImage& image, const PolylineOp& curve) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen thin(QColor(curve.pen.color.r, curve.pen.color.g, curve.pen.color.b), 1);
    thin.setCapStyle(Qt::FlatCap);
    thin.setCosmetic(true);
    painter.setPen(thin);
    QPolygon polygon;
    for (const Point& p : curve.points) polygon << QPoint(p.x, p.y);
    const int n = curve.pen.width;
    for (int dy = 0; dy < n; ++dy) {
        for (int dx = 0; dx < n; ++dx) {
            painter.drawPolyline(polygon.translated(dx - n / 2, dy - n / 2));
        }
    }
}

std::string firstDifference(const QImage& a, const QImage& b) {
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                return std::to_string(x) + "," + std::to_string(y);
            }
        }
    }
    return "none";
}

// Points of a wandering line: runs of short steps (flat and steep), long jumps, returns along
// the same row or column, repeated points and, when `offPlot`, points beyond every edge of
// the bitmap, near and far.
std::vector<Point> wander(uint32_t seed, size_t count, int width, int height, bool offPlot) {
    std::mt19937 random(seed);
    const auto pick = [&](int low, int high) {
        return low + int(random() % uint32_t(high - low + 1));
    };
    std::vector<Point> points{{pick(0, width - 1), pick(0, height - 1)}};
    while (points.size() < count) {
        Point p = points.back();
        switch (random() % 8) {
            case 0:
                p.x += pick(-3, 3);
                break;  // steep
            case 1:
                p.y += pick(-3, 3);
                break;  // flat
            case 2:
                p.x += pick(-12, 12);
                p.y += pick(-2, 2);
                break;
            case 3:
                p.y += pick(-12, 12);
                p.x += pick(-2, 2);
                break;
            case 4:
                p = {pick(0, width - 1), pick(0, height - 1)};
                break;
            case 5:
                p = points[points.size() > 2 ? points.size() - 2 : 0];
                break;  // back again
            case 6:
                break;  // the same point again
            default:
                if (offPlot) {
                    const int far = std::array{2, 7, 1000000}[random() % 3];
                    p = {pick(-far, width + far), pick(-far, height + far)};
                } else {
                    p = {pick(0, width - 1), p.y};
                }
        }
        p.x = std::clamp(p.x, offPlot ? -1000000 : 0, offPlot ? 1000000 : width - 1);
        p.y = std::clamp(p.y, offPlot ? -1000000 : 0, offPlot ? 1000000 : height - 1);
        points.push_back(p);
    }
    return points;
}

TEST(PaintDisplayList, DrawsCurvesPixelForPixelAsThePainterDid) {
    struct Case {
        const char* what;
        int penWidth;
        bool offPlot;
        bool closed;
    };
    const Case cases[] = {
        {"2-pixel curve inside", 2, false, false}, {"2-pixel curve off the plot", 2, true, false},
        {"1-pixel curve", 1, true, false},         {"3-pixel curve", 3, true, false},
        {"closed 2-pixel curve", 2, false, true},
    };
    constexpr int kWidth = 160, kHeight = 120;
    for (const Case& c : cases) {
        for (uint32_t seed = 1; seed <= 100; ++seed) {
            PolylineOp curve{Pen{{0, 128, 192}, c.penWidth},
                             wander(seed, 300, kWidth, kHeight, c.offPlot)};
            if (c.closed)
                curve.points.push_back(curve.points.front());
            QImage expected(kWidth, kHeight, QImage::Format_RGB32);
            expected.fill(Qt::white);
            paintWithPainter(expected, curve);
            const QImage drawn =
                paintDisplayList({kWidth, kHeight, {255, 255, 255}, {curve}}, true);
            ASSERT_EQ(firstDifference(drawn, expected), "none") << c.what << ", seed " << seed;
        }
    }
}

// A whole chart of a few hundred points whose axes were chosen for a narrower range, so that
// the curves leave the plot and the bitmap: the frame as before, the curves on top of it.
TEST(PaintDisplayList, PaintsAChartAsThePainterDid) {
    CastData data;
    for (int i = 0; i < 400; ++i) {
        const double depth = i < 200 ? i * 0.25 : (399 - i) * 0.25;
        const double wobble = (i * 37 % 11) - 5.0;
        ProfilePoint p{depth, 1480 + depth * 0.4 + wobble, 20 - depth * 0.2 + wobble * 0.3};
        (i < 200 ? data.downCast : data.upCast).push_back(p);
    }
    data.fittedProfile = data.downCast;
    setProfileRanges(data, data.downCast);
    data.depthMax = 30;
    data.velocityMin = 1490;
    CurveFlags flags;
    flags.fittedSvp = flags.fittedTemp = true;
    ChartAxes axes;
    const QtTextMeasurer measurer(true);
    const ChartPicture picture = layoutChartPicture(
        {data, DisplayMode::Raw, flags, "Chart", true, 500, 400, {240, 240, 240}}, axes, measurer);

    DisplayList frame = picture.list;
    std::erase_if(frame.ops,
                  [](const DrawOp& op) { return std::holds_alternative<PolylineOp>(op); });
    ASSERT_EQ(picture.list.ops.size() - frame.ops.size(), 6u);  // the curves come last
    QImage expected = paintDisplayList(frame, true);
    for (size_t i = frame.ops.size(); i < picture.list.ops.size(); ++i) {
        paintWithPainter(expected, std::get<PolylineOp>(picture.list.ops[i]));
    }
    EXPECT_EQ(firstDifference(paintDisplayList(picture.list, true), expected), "none");
}

}  // namespace
}  // namespace quorvane
