#include "simulator/pty_transport.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quorvane::sim {
namespace {

speed_t speedConstant(int baud) {
    switch (baud) {
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        case 230400:
            return B230400;
#ifdef B460800
        case 460800:
            return B460800;
#endif
#ifdef B921600
        case 921600:
            return B921600;
#endif
        default:
            return B0;
    }
}

// Raw, 8 data bits, no parity, one stop bit: above all no echo, which would send the host's
// own command back to it as if it were a reply.
bool makeRaw(int fd, int baud) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) {
        return false;
    }
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    const speed_t speed = speedConstant(baud);
    if (speed != B0) {
        ::cfsetispeed(&settings, speed);
        ::cfsetospeed(&settings, speed);
    }
    return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

constexpr int kArrivalMs = 200;

std::string lastError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

}  // namespace

bool PtyTransport::open(int baud, const std::string& linkPath, std::string& error) {
    hangUp();
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    char name[128] = {};
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, name, sizeof name) != 0) {
        error = lastError("cannot create a pseudo-terminal");
        hangUp();
        return false;
    }
    slavePath_ = name;
    heldSlave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (heldSlave_ < 0 || !makeRaw(master_, baud)) {
        error = lastError("cannot set up the pseudo-terminal");
        hangUp();
        return false;
    }
    if (!linkPath.empty()) {
        // A new name, then rename: the link never points nowhere while it is replaced.
        const std::string fresh = linkPath + ".new";
        ::unlink(fresh.c_str());
        if (::symlink(name, fresh.c_str()) != 0 || ::rename(fresh.c_str(), linkPath.c_str()) != 0) {
            error = lastError(("cannot make the link " + linkPath).c_str());
            hangUp();
            return false;
        }
        linkPath_ = linkPath;
    }
    return true;
}

void PtyTransport::hangUp(int graceMs) {
    // The kernel hands written bytes to the slave side a moment later, so first wait for
    // them to show up there (unless the host was quicker), then for the host to take them.
    const auto queued = [this] {
        int count = 0;
        return ::ioctl(heldSlave_, FIONREAD, &count) == 0 ? count : 0;
    };
    constexpr int kStepMs = 5;
    int waited = 0;
    while (heldSlave_ >= 0 && waited < std::min(graceMs, kArrivalMs) && queued() == 0) {
        ::usleep(kStepMs * 1000);
        waited += kStepMs;
    }
    while (heldSlave_ >= 0 && waited < graceMs && queued() > 0) {
        ::usleep(kStepMs * 1000);
        waited += kStepMs;
    }
    if (!linkPath_.empty()) {
        ::unlink(linkPath_.c_str());
        linkPath_.clear();
    }
    for (int* fd : {&heldSlave_, &master_}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
    slavePath_.clear();
}

bool PtyTransport::receive(std::string& into, int timeoutMs, const StopSignal& stop) {
    pollfd fds[2] = {{master_, POLLIN, 0}, {stop.fd(), POLLIN, 0}};
    const int ready = ::poll(fds, 2, timeoutMs);
    if (ready > 0 && (fds[1].revents & POLLIN) != 0) {
        return false;
    }
    if (ready <= 0) {
        return true;  // nothing yet (or a signal): the caller simply asks again
    }
    char buffer[4096];
    ssize_t got = 0;
    const size_t before = into.size();
    while ((got = ::read(master_, buffer, sizeof buffer)) > 0) {
        into.append(buffer, static_cast<size_t>(got));
    }
    // A line in error would report ready forever; pause rather than spin on it.
    if (into.size() == before && (fds[0].revents & (POLLHUP | POLLERR)) != 0) {
        return stop.sleepFor(50);
    }
    return true;
}

void PtyTransport::discardInput() {
    char buffer[4096];
    while (::read(master_, buffer, sizeof buffer) > 0) {
    }
}

bool PtyTransport::writeAll(std::string_view bytes, const StopSignal& stop) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(master_, bytes.data(), bytes.size());
        if (put > 0) {
            bytes.remove_prefix(static_cast<size_t>(put));
            continue;
        }
        if (put < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        pollfd fds[2] = {{master_, POLLOUT, 0}, {stop.fd(), POLLIN, 0}};
        if (::poll(fds, 2, -1) > 0 && (fds[1].revents & POLLIN) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace quorvane::sim
