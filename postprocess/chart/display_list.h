#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace quorvane {

// The chart as a short list of drawing operations in bitmap coordinates (origin top-left,
// y down), so that the layout is computed and tested without a window and any painter can
// draw it: QPainter on screen, a plain pixel buffer for the bitmap the command line writes.

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

enum class LineStyle { Solid, Dotted };

struct Pen {
    Rgb color;
    int width = 1;
    LineStyle style = LineStyle::Solid;
    bool operator==(const Pen&) const = default;
};

// The fonts of the chart, by role; the painter maps each to a face and size.
enum class FontRole { AxisTitle, Label, Title };

struct FillOp {
    Rect rect;
    Rgb color;
};

struct LineOp {
    Pen pen;
    Point from, to;
};

struct PolylineOp {
    Pen pen;
    std::vector<Point> points;  // never fewer than two: a single point draws nothing
};

// Text placed by the top-left corner of its cell (not by its baseline). A rotated text runs
// upward from `at`, which is then the bottom-left corner of the unrotated cell.
struct TextOp {
    FontRole font = FontRole::Label;
    Rgb color;
    bool opaqueBackground = false;  // white behind the glyphs
    bool rotated = false;
    Point at;
    std::string text;  // UTF-8
};

using DrawOp = std::variant<FillOp, LineOp, PolylineOp, TextOp>;

struct DisplayList {
    int width = 0, height = 0;
    Rgb background{255, 255, 255};
    std::vector<DrawOp> ops;
};

// Measures a text in a font role, in pixels, as the painter will draw it.
class TextMeasurer {
  public:
    virtual ~TextMeasurer() = default;
    virtual int width(FontRole font, const std::string& utf8) const = 0;
};

}  // namespace quorvane
