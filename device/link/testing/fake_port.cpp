#include "device/link/testing/fake_port.h"

#include <algorithm>

namespace quorvane {

void FakePort::queue(Chunk chunk) {
    if (chunk.atMs < 0) {
        chunk.atMs = now();
    }
    chunks_.push_back(std::move(chunk));
}

void FakePort::deliver(std::string_view bytes, int64_t atMs) {
    queue({std::string(bytes), atMs, false});
}

void FakePort::deliver(const std::vector<uint8_t>& bytes, int64_t atMs) {
    queue({std::string(bytes.begin(), bytes.end()), atMs, false});
}

void FakePort::failReadAt(int64_t atMs) {
    queue({{}, atMs, true});
}

int FakePort::purgeCount() const {
    return int(std::count(events_.begin(), events_.end(), "purge"));
}

bool FakePort::open(const std::string& name) {
    close();
    lastError_.clear();
    if (refused_.count(name) != 0) {
        lastError_ = failureReason_;
        events_.push_back("open " + name + " failed");
        return false;
    }
    events_.push_back("open " + name);
    name_ = name;
    open_ = true;
    return true;
}

void FakePort::close() {
    if (open_) {
        events_.push_back("close");
        open_ = false;
    }
}

bool FakePort::write(std::span<const uint8_t> bytes) {
    const std::string text(bytes.begin(), bytes.end());
    if (!open_ || failingWrites_ > 0) {
        failingWrites_ = std::max(0, failingWrites_ - 1);
        lastError_ = failureReason_;
        events_.push_back("write " + text + " failed");
        return false;
    }
    events_.push_back("write " + text);
    writes_.push_back(text);
    if (onWrite) {
        onWrite(text);
    }
    return true;
}

ReadResult FakePort::readAvailable(std::span<uint8_t> buffer) {
    if (!open_) {
        lastError_ = failureReason_;
        return {false, 0};
    }
    if (chunks_.empty() || !due(chunks_.front())) {
        return {true, 0};
    }
    Chunk& chunk = chunks_.front();
    if (chunk.failure) {
        chunks_.pop_front();
        lastError_ = failureReason_;
        return {false, 0};
    }
    const size_t count = std::min({chunk.left(), buffer.size(), kMaxRead});
    std::copy_n(chunk.bytes.begin() + std::ptrdiff_t(chunk.taken), count, buffer.begin());
    chunk.taken += count;
    if (chunk.left() == 0) {
        chunks_.pop_front();
    }
    return {true, count};
}

size_t FakePort::inputQueued() {
    size_t queued = 0;
    for (const Chunk& chunk : chunks_) {
        if (!due(chunk) || chunk.failure) {
            break;
        }
        queued += chunk.left();
    }
    return queued;
}

bool FakePort::purge() {
    if (failingPurge_) {
        failingPurge_ = false;
        lastError_ = failureReason_;
        events_.push_back("purge failed");
        return false;
    }
    events_.push_back("purge");
    // Input that has arrived is discarded; what the script sends later, and a scripted break
    // of the link, still come.
    while (!chunks_.empty() && due(chunks_.front()) && !chunks_.front().failure) {
        chunks_.pop_front();
    }
    return true;
}

void FakePort::waitForInput() {
    if (clock_ == nullptr || (!chunks_.empty() && due(chunks_.front()))) {
        return;
    }
    int64_t step = 1;
    if (!chunks_.empty()) {
        step = std::min<int64_t>(step, chunks_.front().atMs - now());
    }
    clock_->advanceMs(step);
}

}  // namespace quorvane
