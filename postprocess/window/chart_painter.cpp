#include "postprocess/window/chart_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <type_traits>

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

// A curve of a long series has hundreds of thousands of points crossing every pixel column
// many times. Qt outlines a wide pen's polyline as a path, which for such curves costs seconds
// and a path of many megabytes per paint; a thin line takes the rasteriser's direct path. So a
// wide curve is drawn as the thin line swept over a square of the pen's width: the same
// pixels a square-tipped pen of that width covers.
void drawPolyline(QPainter& painter, const Pen& pen, const QPolygon& polygon) {
    QPen thin = penOf(pen);
    thin.setWidth(1);
    thin.setCosmetic(true);
    painter.setPen(thin);
    for (int dy = 0; dy < pen.width; ++dy) {
        for (int dx = 0; dx < pen.width; ++dx) {
            painter.drawPolyline(polygon.translated(dx - pen.width / 2, dy - pen.width / 2));
        }
    }
}

void drawText(QPainter& painter, const TextOp& op, bool english) {
    const QFont font = ChartFont(op.font, english);
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

QFont ChartFont(FontRole role, bool english) {
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
    return QFontMetrics(ChartFont(font, english_)).horizontalAdvance(QString::fromStdString(utf8));
}

QImage PaintDisplayList(const DisplayList& list, bool english) {
    QImage image(std::max(list.width, 1), std::max(list.height, 1), QImage::Format_RGB32);
    image.fill(colorOf(list.background));
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
                    QPolygon polygon(static_cast<int>(o.points.size()));
                    for (size_t i = 0; i < o.points.size(); ++i) {
                        polygon.setPoint(static_cast<int>(i), o.points[i].x, o.points[i].y);
                    }
                    drawPolyline(painter, o.pen, polygon);
                } else {
                    drawText(painter, o, english);
                }
            },
            op);
    }
    return image;
}

}  // namespace quorvane
