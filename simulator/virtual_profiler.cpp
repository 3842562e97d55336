#include "simulator/virtual_profiler.h"

#include <stdlib.h>

#include <filesystem>

#include "simulator/storage_seeder.h"

namespace quorvane::sim {

VirtualProfiler::VirtualProfiler(ProfilerOptions options) : options_(std::move(options)) {}

VirtualProfiler::~VirtualProfiler() {
    stop();
}

bool VirtualProfiler::start(std::string* error) {
    std::string reason;
    if (running()) {
        reason = "the profiler is already running";
    } else if (options_.storageDir.empty() || ownsStorage_) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quorvane-card-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            reason = "cannot create a storage folder";
        } else {
            options_.storageDir = pattern;
            ownsStorage_ = true;
        }
    }
    const CastStore store(options_.storageDir);
    if (reason.empty() && !store.prepare()) {
        reason = "cannot use the storage folder " + options_.storageDir;
    }
    if (reason.empty() && store.list().empty() && options_.casts > 0 &&
        !seedStorage(store, options_.casts, options_.device, options_.castSeed)) {
        reason = "cannot write casts into " + options_.storageDir;
    }
    if (reason.empty()) {
        session_ = std::make_unique<ProfilerSession>(options_, store, stats_, listener_);
        if (session_->open(reason)) {
            thread_ = std::thread([session = session_.get()] { session->run(); });
            return true;
        }
        session_.reset();
    }
    if (error != nullptr) {
        *error = reason;
    }
    return false;
}

void VirtualProfiler::stop() {
    if (session_) {
        session_->stop();
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    session_.reset();  // closes the port and removes the link
    stats_.setSlavePath({});
    if (ownsStorage_) {
        std::error_code ignored;
        std::filesystem::remove_all(options_.storageDir, ignored);
    }
}

}  // namespace quorvane::sim
