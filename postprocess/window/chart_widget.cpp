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

void ChartWidget::setReference(ReferenceProfile reference) {
    reference_ = std::move(reference);
    referencePath_ = session_.shownPath();
    update();
}

void ChartWidget::clearReference() {
    reference_.reset();
    update();
}

bool ChartWidget::hasReference() {
    if (reference_ && session_.shownPath() != referencePath_) {
        reference_.reset();
    }
    return reference_.has_value();
}

ChartPicture ChartWidget::picture() {
    const QColor face = palette().color(QPalette::Button);
    const Rgb buttonFace{uint8_t(face.red()), uint8_t(face.green()), uint8_t(face.blue())};
    const QtTextMeasurer measurer(session_.english());
    // The session lays out its own picture first, as it would without a reference: that
    // layout is what chooses and keeps its axes.
    ChartPicture picture = session_.layoutChart(width(), height(), buttonFace, measurer);
    if (!hasReference()) {
        return picture;
    }
    const ChartLook look{session_.displayMode(),
                         session_.curveFlags(),
                         session_.chartTitle(),
                         session_.english(),
                         width(),
                         height(),
                         buttonFace};
    return layoutChartWithReference(session_.data(), look, session_.axes(), *reference_, measurer);
}

void ChartWidget::paintEvent(QPaintEvent*) {
    const ChartPicture picture = this->picture();
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
