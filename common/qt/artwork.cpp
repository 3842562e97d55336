#include "common/qt/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace quorvane {

namespace {

const QColor kNavy(11, 37, 69);
const QColor kSea(30, 110, 160);
const QColor kHull(178, 34, 34);
const QColor kProfilerBody(244, 180, 0);

// The sound velocity of a typical temperate-sea cast against depth, both as fractions of the
// drawing: a mixed layer, a thermocline where velocity falls, then the slow rise of pressure.
double profileVelocity(double depth) {
    if (depth < 0.2) {
        return 0.78;
    }
    if (depth < 0.55) {
        return 0.78 - 0.55 * std::sin((depth - 0.2) / 0.35 * std::numbers::pi / 2);
    }
    return 0.23 + 0.35 * (depth - 0.55);
}

void drawWaves(QPainter& p, double left, double right, double y, double amplitude,
               double wavelength) {
    QPainterPath waves;
    waves.moveTo(left, y);
    for (double x = left; x <= right; x += 2) {
        waves.lineTo(x, y + amplitude * std::sin(x / wavelength * 2 * std::numbers::pi));
    }
    p.drawPath(waves);
}

// An upright cylinder with a sensor cage below, centred on x, its top at y.
void drawProfiler(QPainter& p, double x, double y, double width, double height) {
    p.setPen(QPen(kNavy, std::max(1.0, width / 10)));
    p.setBrush(kProfilerBody);
    p.drawRoundedRect(QRectF(x - width / 2, y, width, height * 0.75), width / 3, width / 3);
    p.setBrush(Qt::NoBrush);
    const double cageTop = y + height * 0.75;
    p.drawLine(QPointF(x - width * 0.35, cageTop), QPointF(x - width * 0.35, y + height));
    p.drawLine(QPointF(x + width * 0.35, cageTop), QPointF(x + width * 0.35, y + height));
    p.drawLine(QPointF(x - width * 0.45, y + height), QPointF(x + width * 0.45, y + height));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(x, y + height * 0.2), width * 0.18, width * 0.18);
}

}  // namespace

QImage drawCastPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = width, h = height, water = h * 0.3;

    QLinearGradient sky(0, 0, 0, water);
    sky.setColorAt(0, QColor(150, 200, 235));
    sky.setColorAt(1, QColor(225, 240, 250));
    p.fillRect(QRectF(0, 0, w, water), sky);
    QLinearGradient sea(0, water, 0, h);
    sea.setColorAt(0, kSea);
    sea.setColorAt(1, kNavy);
    p.fillRect(QRectF(0, water, w, h - water), sea);

    // Depth marks across the water column.
    p.setPen(QPen(QColor(255, 255, 255, 60), 1, Qt::DotLine));
    for (int i = 1; i < 5; ++i) {
        const double y = water + (h - water) * i / 5;
        p.drawLine(QPointF(0, y), QPointF(w, y));
    }

    // The vessel, its stern and A-frame over the cast position.
    const double castX = w * 0.36;
    QPolygonF hull;
    hull << QPointF(w * 0.06, water - h * 0.07) << QPointF(castX + w * 0.02, water - h * 0.07)
         << QPointF(castX, water + h * 0.03) << QPointF(w * 0.1, water + h * 0.03);
    p.setPen(Qt::NoPen);
    p.setBrush(kHull);
    p.drawPolygon(hull);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(w * 0.1, water - h * 0.15, w * 0.12, h * 0.08));
    p.drawRect(QRectF(w * 0.12, water - h * 0.2, w * 0.06, h * 0.05));
    p.setPen(QPen(kNavy, std::max(1.0, h / 150)));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(castX - w * 0.04, water - h * 0.07), QPointF(castX, water - h * 0.2));
    p.drawLine(QPointF(castX, water - h * 0.2), QPointF(castX + w * 0.02, water - h * 0.07));
    p.setPen(QPen(Qt::white, std::max(1.0, h / 200)));
    drawWaves(p, 0, w, water, h * 0.008, w / 24);

    // Cable and profiler, and the path of the cast down and back.
    const double profilerTop = h * 0.68;
    p.setPen(QPen(QColor(220, 220, 220), std::max(1.0, h / 300)));
    p.drawLine(QPointF(castX, water - h * 0.2), QPointF(castX, profilerTop));
    p.setPen(QPen(QColor(255, 255, 255, 150), std::max(1.0, h / 250), Qt::DashLine));
    p.drawLine(QPointF(castX - w * 0.05, water + h * 0.06), QPointF(castX - w * 0.05, h * 0.9));
    p.drawLine(QPointF(castX + w * 0.05, h * 0.9), QPointF(castX + w * 0.05, water + h * 0.06));
    drawProfiler(p, castX, profilerTop, w * 0.035, h * 0.16);

    // The profile it records: velocity across, depth down, on a pale panel.
    const QRectF panel(w * 0.56, h * 0.08, w * 0.38, h * 0.84);
    p.setPen(QPen(kNavy, 1));
    p.setBrush(QColor(255, 255, 255, 215));
    p.drawRoundedRect(panel, h * 0.02, h * 0.02);
    const QRectF plot = panel.adjusted(panel.width() * 0.1, panel.height() * 0.08,
                                       -panel.width() * 0.06, -panel.height() * 0.06);
    p.setPen(QPen(QColor(200, 200, 200), 1, Qt::DotLine));
    for (int i = 1; i < 4; ++i) {
        p.drawLine(QPointF(plot.left() + plot.width() * i / 4, plot.top()),
                   QPointF(plot.left() + plot.width() * i / 4, plot.bottom()));
        p.drawLine(QPointF(plot.left(), plot.top() + plot.height() * i / 4),
                   QPointF(plot.right(), plot.top() + plot.height() * i / 4));
    }
    p.setPen(QPen(kNavy, std::max(1.0, h / 200)));
    p.drawLine(plot.topLeft(), plot.topRight());
    p.drawLine(plot.topLeft(), plot.bottomLeft());
    QPainterPath curve;
    for (int i = 0; i <= 100; ++i) {
        const double depth = i / 100.0;
        const QPointF point(plot.left() + plot.width() * profileVelocity(depth),
                            plot.top() + plot.height() * depth);
        i == 0 ? curve.moveTo(point) : curve.lineTo(point);
    }
    p.setPen(QPen(QColor(200, 30, 30), std::max(1.5, h / 120)));
    p.drawPath(curve);
    return image;
}

QImage drawProgramIcon(SuiteProgram program, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QRectF tile(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
    if (program == SuiteProgram::File) {
        p.setPen(QPen(kNavy, std::max(1.0, s / 24)));
        p.setBrush(Qt::white);
        p.drawRoundedRect(tile, s * 0.15, s * 0.15);
        const QRectF plot(s * 0.22, s * 0.2, s * 0.6, s * 0.62);
        p.drawLine(plot.topLeft(), plot.topRight());
        p.drawLine(plot.topLeft(), plot.bottomLeft());
        QPainterPath curve;
        for (int i = 0; i <= 40; ++i) {
            const double depth = i / 40.0;
            const QPointF point(plot.left() + plot.width() * profileVelocity(depth),
                                plot.top() + plot.height() * depth);
            i == 0 ? curve.moveTo(point) : curve.lineTo(point);
        }
        p.setPen(QPen(QColor(200, 30, 30), std::max(1.0, s / 14)));
        p.setBrush(Qt::NoBrush);
        p.drawPath(curve);
        return image;
    }
    QLinearGradient sea(0, 0, 0, s);
    sea.setColorAt(0, kSea);
    sea.setColorAt(1, kNavy);
    p.setPen(Qt::NoPen);
    p.setBrush(sea);
    p.drawRoundedRect(tile, s * 0.15, s * 0.15);
    p.setPen(QPen(Qt::white, std::max(1.0, s / 20)));
    p.setBrush(Qt::NoBrush);
    drawWaves(p, s * 0.12, s * 0.88, s * 0.2, s * 0.03, s * 0.25);
    const double x = program == SuiteProgram::Device ? s * 0.36 : s * 0.5;
    p.setPen(QPen(QColor(220, 220, 220), std::max(1.0, s / 32)));
    p.drawLine(QPointF(x, s * 0.2), QPointF(x, s * 0.4));
    drawProfiler(p, x, s * 0.4, s * 0.2, s * 0.45);
    if (program == SuiteProgram::Device) {
        // A download: the arrow out of the instrument.
        p.setPen(QPen(Qt::white, std::max(1.0, s / 14), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.7, s * 0.42), QPointF(s * 0.7, s * 0.78));
        p.drawLine(QPointF(s * 0.58, s * 0.66), QPointF(s * 0.7, s * 0.78));
        p.drawLine(QPointF(s * 0.82, s * 0.66), QPointF(s * 0.7, s * 0.78));
    }
    return image;
}

QString programIconName(SuiteProgram program) {
    switch (program) {
        case SuiteProgram::Launcher:
            return "quorvane";
        case SuiteProgram::Device:
            return "quorvanedevice";
        case SuiteProgram::File:
            return "quorvanefile";
    }
    return {};
}

}  // namespace quorvane
