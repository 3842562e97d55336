#pragma once

#include <QFrame>
#include <QImage>

namespace quorvane {

// The launcher's picture area: a picture file stretched over the whole frame, its proportions
// given up to the frame's, as the original drew it. Without a usable picture the frame stays
// empty and the rest of the window works.
class PictureFrame : public QFrame {
  public:
    explicit PictureFrame(QWidget* parent = nullptr);

    // Reads the file for reading only and without locking it, so that a read-only installation
    // or a second launcher reading the same file works; false (and an empty frame) when it
    // cannot be read or is no picture.
    bool load(const QString& path);

    const QImage& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};

}  // namespace quorvane
