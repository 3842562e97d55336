#include "device/window/worker_mailbox.h"

#include <memory>
#include <optional>

namespace quorvane {

WorkerMailbox::WorkerMailbox() {
    connect(this, &WorkerMailbox::arrived, this, &WorkerMailbox::deliver, Qt::QueuedConnection);
}

void WorkerMailbox::post(std::function<void()> update, int kind) {
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            return;
        }
        // Only back to the last ordinary update: what came before it must keep its order.
        for (auto it = pending_.rbegin(); kind != 0 && it != pending_.rend() && it->kind != 0;
             ++it) {
            if (it->kind == kind) {
                it->run = std::move(update);
                return;
            }
        }
        pending_.push_back({std::move(update), kind});
        if (pending_.size() > 1) {
            return;  // a delivery is on its way already
        }
    }
    emit arrived();
}

void WorkerMailbox::deliver() {
    std::vector<Update> updates;
    {
        std::lock_guard lock(mutex_);
        updates.swap(pending_);
        if (closed_) {
            return;
        }
    }
    for (const Update& update : updates) {
        update.run();
    }
}

Button WorkerMailbox::ask(std::function<Button()> show, BoxType type) {
    // Shared with the call on the window thread, which may run after the worker stopped
    // waiting.
    auto answer = std::make_shared<std::optional<Button>>();
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            return dismissedAnswer(type);
        }
    }
    // Queued after every update posted before, so the box comes after the texts that lead to
    // it.
    QMetaObject::invokeMethod(
        this,
        [this, answer, show = std::move(show)] {
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
        },
        Qt::QueuedConnection);
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
