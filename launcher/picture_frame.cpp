#include "launcher/picture_frame.h"

#include <QFile>
#include <QPainter>

namespace quorvane {

PictureFrame::PictureFrame(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
}

bool PictureFrame::load(const QString& path) {
    QFile file(path);
    picture_ = file.open(QIODevice::ReadOnly) ? QImage::fromData(file.readAll()) : QImage();
    update();
    return !picture_.isNull();
}

void PictureFrame::paintEvent(QPaintEvent* event) {
    if (picture_.isNull()) {
        QFrame::paintEvent(event);
        return;
    }
    // Nearest-pixel stretching, as the original's colour-on-colour stretch mode: no smoothing.
    QPainter(this).drawImage(rect(), picture_);
}

}  // namespace quorvane
