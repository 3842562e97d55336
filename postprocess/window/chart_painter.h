#pragma once

#include <QFont>
#include <QImage>

#include "postprocess/chart/display_list.h"

class QPainter;

namespace quorvane {

// The chart's fonts by role, at the pixel sizes a 96-dpi screen gives them, without
// antialiasing; faces asked for by name (fontconfig substitutes what is installed).
QFont chartFont(FontRole role, bool english);

// Text widths as the painter will draw them.
class QtTextMeasurer : public TextMeasurer {
  public:
    explicit QtTextMeasurer(bool english) : english_(english) {}
    int width(FontRole font, const std::string& utf8) const override;

  private:
    bool english_;
};

// Draws a display list into an image of its size, as the platform the layout was made for
// would: texts placed by their top-left corner, no antialiasing.
QImage paintDisplayList(const DisplayList& list, bool english);

}  // namespace quorvane
