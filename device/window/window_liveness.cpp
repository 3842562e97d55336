#include "device/window/window_liveness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
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
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
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
