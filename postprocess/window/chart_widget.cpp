#include "postprocess/window/chart_widget.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <cstring>

#include "postprocess/session/post_process_session.h"
#include "postprocess/window/chart_painter.h"

namespace quorvane {

namespace {

Pixels pixelsOf(const QImage& image) {
    Pixels pixels{image.width(), image.height(), {}};
    pixels.rgb.resize(size_t(image.width()) * size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(&pixels.rgb[size_t(y) * size_t(image.width())], image.constScanLine(y),
                    size_t(image.width()) * sizeof(uint32_t));
    }
    return pixels;
}

}  // namespace

ChartWidget::ChartWidget(PostProcessSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartWidget::paintEvent(QPaintEvent*) {
    const QColor face = palette().color(QPalette::Button);
    const QtTextMeasurer measurer(session_.english());
    const ChartPicture picture = session_.layoutChart(
        width(), height(), Rgb{uint8_t(face.red()), uint8_t(face.green()), uint8_t(face.blue())},
        measurer);
    const QImage image = paintDisplayList(picture.list, session_.english());
    QPainter(this).drawImage(0, 0, image);
    if (session_.bitmapSavePending() && width() > 0 && height() > 0) {
        const QScreen* screen = this->screen();
        const int bitCount = bitmapBitCount(screen ? screen->depth() : 32);
        QMetaObject::invokeMethod(
            this,
            [this, pixels = pixelsOf(image), bitCount] {
                session_.writePendingBitmap(pixels, bitCount);
            },
            Qt::QueuedConnection);
    }
}

}  // namespace quorvane
