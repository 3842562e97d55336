#pragma once

#if !defined(_WIN32)
#include <sys/resource.h>

#include <csignal>

namespace quorvane::test {

// A file size limit stands in for a full disk: writes beyond it fail as they would there
// (EFBIG instead of the signal, which is ignored meanwhile). Programs started meanwhile inherit
// both, so a tool run under it meets a full disk too.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace quorvane::test
#endif
