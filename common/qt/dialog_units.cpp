#include "common/qt/dialog_units.h"

#include <QFontMetrics>

namespace quorvane {

namespace {

// value × numerator / denominator, rounded half away from zero in 64 bits.
int mulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

int averageLetterBase(const QFontMetrics& metrics) {
    const int width =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return (width / 26 + 1) / 2;
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font)
    : DialogUnits(averageLetterBase(QFontMetrics(font)), QFontMetrics(font).height()) {}

int DialogUnits::x(int units) const {
    return mulDiv(units, baseX_, 4);
}

int DialogUnits::y(int units) const {
    return mulDiv(units, baseY_, 8);
}

QRect DialogUnits::rect(int left, int top, int width, int height) const {
    // Both corners are converted, as the platform does, so adjacent controls stay adjacent.
    const int l = x(left), t = y(top);
    return QRect(l, t, x(left + width) - l, y(top + height) - t);
}

QSize DialogUnits::size(int width, int height) const {
    return QSize(x(width), y(height));
}

}  // namespace quorvane
