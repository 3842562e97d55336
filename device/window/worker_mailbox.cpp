#include "device/window/worker_mailbox.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace quorvane {

namespace {

// Progress redrawn ten times a second reads smoothly and costs the window next to nothing.
constexpr int64_t kProgressIntervalMs = 100;

}  // namespace

WorkerMailbox::WorkerMailbox(Clock& clock) : clock_(clock) {
    connect(this, &WorkerMailbox::arrived, this, &WorkerMailbox::deliver, Qt::QueuedConnection);
    heldDelivery_.setSingleShot(true);
    connect(&heldDelivery_, &QTimer::timeout, this, &WorkerMailbox::deliver);
}

void WorkerMailbox::post(std::function<void()> update, int kind) {
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            return;
        }
        // Only back to the last ordinary update: what came before it must keep its order.
        bool replaced = false;
        for (auto it = pending_.rbegin(); kind != 0 && it != pending_.rend() && it->kind != 0;
             ++it) {
            if (it->kind == kind) {
                it->run = std::move(update);
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            pending_.push_back({std::move(update), kind});
        }
        if (deliveryComing_) {
            return;
        }
        deliveryComing_ = true;
    }
    emit arrived();
}

void WorkerMailbox::deliver() {
    {
        std::lock_guard lock(mutex_);
        const bool onlyProgress = std::all_of(pending_.begin(), pending_.end(),
                                              [](const Update& u) { return u.kind != 0; });
        const int64_t since = lastDelivery_ ? millisecondsSince(clock_, *lastDelivery_) : INT64_MAX;
        if (!closed_ && onlyProgress && since < kProgressIntervalMs) {
            // Later posts join these; the timer brings them all.
            heldDelivery_.start(int(kProgressIntervalMs - since));
            return;
        }
        deliveryComing_ = false;
    }
    flush();
}

void WorkerMailbox::flush() {
    std::vector<Update> updates;
    {
        std::lock_guard lock(mutex_);
        updates.swap(pending_);
        if (closed_) {
            return;
        }
    }
    lastDelivery_ = clock_.counter();
    for (const Update& update : updates) {
        update.run();
    }
}

Button WorkerMailbox::ask(std::function<Button()> show, BoxType type) {
    // Shared with the update, which may run after the worker stopped waiting. The box goes
    // through the queue of updates, under the one lock, so it comes after the texts that lead
    // to it and everything it carries is handed over where the race detector sees it.
    auto answer = std::make_shared<std::optional<Button>>();
    post([this, answer, show = std::move(show)] {
        {
            std::lock_guard lock(mutex_);
            if (closed_) {
                return;
            }
        }
        const Button pressed = show();
        std::lock_guard lock(mutex_);
        *answer = pressed;
        answered_.notify_all();
    });
    std::unique_lock lock(mutex_);
    answered_.wait(lock, [&] { return answer->has_value() || closed_; });
    return answer->has_value() ? **answer : dismissedAnswer(type);
}

void WorkerMailbox::close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    pending_.clear();
    answered_.notify_all();
}

}  // namespace quorvane
