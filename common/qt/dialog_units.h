#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace quorvane {

// Dialog units of a window template turned into pixels from the dialog font's metrics, the
// way the platform the templates were drawn for does it: a horizontal unit is a quarter of
// the font's average letter width, a vertical unit an eighth of its height, both rounded as
// that platform rounds them, so the proportions of the templates hold in any font.
class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}

    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int width, int height) const;
    QSize size(int width, int height) const;

    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

  private:
    int baseX_;
    int baseY_;
};

}  // namespace quorvane
