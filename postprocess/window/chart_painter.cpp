#include "postprocess/window/chart_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <type_traits>

#include "postprocess/chart/curve_raster.h"

namespace quorvane {

namespace {

QColor colorOf(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

QPen penOf(const Pen& pen) {
    QPen q(colorOf(pen.color), pen.width,
           pen.style == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    q.setCapStyle(Qt::FlatCap);
    return q;
}

void drawText(QPainter& painter, const TextOp& op, bool english) {
    const QFont font = chartFont(op.font, english);
    painter.setFont(font);
    painter.setPen(colorOf(op.color));
    painter.setBackgroundMode(op.opaqueBackground ? Qt::OpaqueMode : Qt::TransparentMode);
    painter.setBackground(Qt::white);
    const QString text = QString::fromStdString(op.text);
    const int ascent = QFontMetrics(font).ascent();
    if (!op.rotated) {
        painter.drawText(op.at.x, op.at.y + ascent, text);
        return;
    }
    painter.save();
    painter.translate(op.at.x, op.at.y);
    painter.rotate(-90);
    painter.drawText(0, ascent, text);
    painter.restore();
}

}  // namespace

QFont chartFont(FontRole role, bool english) {
    QFont font;
    switch (role) {
        case FontRole::AxisTitle:
            font = QFont(QString::fromUtf8("黑体"));
            font.setPixelSize(15);
            break;
        case FontRole::Label:
            font = QFont(QString::fromUtf8("微软雅黑"));
            font.setPixelSize(13);  // 10 pt at 96 dpi
            break;
        case FontRole::Title:
            font = QFont(english ? QString("Times New Roman") : QString::fromUtf8("微软雅黑"));
            font.setPixelSize(16);  // 12 pt at 96 dpi
            break;
    }
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

int QtTextMeasurer::width(FontRole font, const std::string& utf8) const {
    return QFontMetrics(chartFont(font, english_)).horizontalAdvance(QString::fromStdString(utf8));
}

QImage paintDisplayList(const DisplayList& list, bool english) {
    QImage image(std::max(list.width, 1), std::max(list.height, 1), QImage::Format_RGB32);
    image.fill(colorOf(list.background));
    // Curves go straight into the image's pixels: a curve of a long series has hundreds of
    // thousands of segments, and the painter's cost per segment would dominate every paint.
    // The raster paint engine draws each call at once, so the two can take turns on one image.
    const PixelView pixels{reinterpret_cast<uint32_t*>(image.bits()), image.width(), image.height(),
                           int(image.bytesPerLine() / 4)};
    CurveRaster curves;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setBrush(Qt::NoBrush);
    for (const DrawOp& op : list.ops) {
        std::visit(
            [&](const auto& o) {
                using T = std::decay_t<decltype(o)>;
                if constexpr (std::is_same_v<T, FillOp>) {
                    painter.fillRect(
                        QRect(o.rect.left, o.rect.top, o.rect.width(), o.rect.height()),
                        colorOf(o.color));
                } else if constexpr (std::is_same_v<T, LineOp>) {
                    painter.setPen(penOf(o.pen));
                    painter.drawLine(o.from.x, o.from.y, o.to.x, o.to.y);
                } else if constexpr (std::is_same_v<T, PolylineOp>) {
                    curves.draw(pixels, o);
                } else {
                    drawText(painter, o, english);
                }
            },
            op);
    }
    return image;
}

}  // namespace quorvane
