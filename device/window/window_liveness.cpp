#include "device/window/window_liveness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace quorvane {

namespace {

// A poll loop calls this about every millisecond; a look at the event queue every few is
// plenty for the eye and keeps the cost of waiting low.
constexpr int kLivenessIntervalMs = 10;

bool onWindowThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

bool inModalWindow(QObject* receiver) {
    if (const auto* widget = qobject_cast<QWidget*>(receiver)) {
        return widget->window()->isModal();
    }
    if (const auto* window = qobject_cast<QWindow*>(receiver)) {
        return window->modality() != Qt::NonModal;
    }
    return false;
}

// Qt counts the window system's request to close a window as user input. Held back with the
// rest of the input until the wait is over, it would reach the window only once the command
// opens the box it ends with, and a window behind a modal box drops such a request: the close
// would be lost. So input is not held back but dropped here, and the close request goes
// through. Held back, a click would also start a command after the one under way, and a key
// answer the box that ends it, unread.
class InputDrop : public QObject {
  public:
    InputDrop() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputDrop() override { QCoreApplication::instance()->removeEventFilter(this); }
    InputDrop(const InputDrop&) = delete;
    InputDrop& operator=(const InputDrop&) = delete;

  protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        const bool input = event->isInputEvent() || event->type() == QEvent::Shortcut;
        return input && !inModalWindow(receiver);
    }
};

}  // namespace

void keepWindowLive() {
    if (!onWindowThread()) {
        return;
    }
    static QElapsedTimer sinceLast;
    if (sinceLast.isValid() && sinceLast.elapsed() < kLivenessIntervalMs) {
        return;
    }
    sinceLast.start();
    processWaitingEvents();
}

void processWaitingEvents() {
    const InputDrop drop;
    QCoreApplication::processEvents();
}

void LiveClock::sleepMs(int milliseconds) {
    if (!onWindowThread() || milliseconds <= 0) {
        clock_.sleepMs(milliseconds);
        return;
    }
    const int64_t start = clock_.counter();
    for (int64_t passed = 0; passed < milliseconds; passed = millisecondsSince(clock_, start)) {
        keepWindowLive();
        clock_.sleepMs(int(std::min<int64_t>(milliseconds - passed, kLivenessIntervalMs)));
    }
}

}  // namespace quorvane
