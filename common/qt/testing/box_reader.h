#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <utility>

namespace quorvane {

// A person at the real message boxes: reads each for `readingMs`, then presses its default
// button; keeps the texts read and hands each to `onRead` as it comes.
class BoxReader {
  public:
    explicit BoxReader(int readingMs, std::function<void(const QString&)> onRead = {})
        : readingMs_(readingMs), onRead_(std::move(onRead)) {
        QObject::connect(&look_, &QTimer::timeout, [this] { look(); });
        look_.start(20);
    }

    QStringList read;

  private:
    void look() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box == reading_) {
            return;
        }
        reading_ = box;
        read << box->text();
        if (onRead_) {
            onRead_(box->text());
        }
        QTimer::singleShot(readingMs_, box, [box] { box->defaultButton()->click(); });
    }

    int readingMs_;
    std::function<void(const QString&)> onRead_;
    QTimer look_;
    QPointer<QMessageBox> reading_;
};

}  // namespace quorvane
