#pragma once

#include <QObject>
#include <QTimer>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "common/message.h"
#include "device/link/clock.h"

namespace quorvane {

// How the download worker reaches the window without touching a widget. Display updates are
// carried to the window thread in order, each run there once; an update of a kind whose newest
// value is all that matters (progress) replaces the one of its kind still waiting since the
// last ordinary update, and updates of such kinds alone are carried at most ten times a
// second, so a fast download neither floods the window nor costs it a repaint per block. A message
// box is asked on the window thread, after every update posted before it, while the worker waits
// for the answer. Once closed (the window is going) updates are dropped and every box, waiting or
// later, is answered at once with the answer that changes nothing.
class WorkerMailbox : public QObject {
    Q_OBJECT
  public:
    // `clock` times the throttle; read on the window thread only.
    explicit WorkerMailbox(Clock& clock);

    // `kind` 0: an ordinary update; another number: replaces a waiting update of that kind.
    void post(std::function<void()> update, int kind = 0);
    // Runs `show` on the window thread and returns its answer; called by the worker only.
    Button ask(std::function<Button()> show, BoxType type);
    // Runs every waiting update now; window thread.
    void flush();
    void close();

  signals:
    void arrived();

  private:
    struct Update {
        std::function<void()> run;
        int kind;
    };
    void deliver();

    std::mutex mutex_;
    std::condition_variable answered_;
    std::vector<Update> pending_;
    bool deliveryComing_ = false;  // a delivery is queued or timed: posts need not ask for one
    bool closed_ = false;
    Clock& clock_;
    std::optional<int64_t> lastDelivery_;  // counter ticks; window thread
    // Brings held progress; a member, so a window closed meanwhile takes it along instead of
    // leaving a pending one-shot timer behind.
    QTimer heldDelivery_;
};

}  // namespace quorvane
