#include "device/link/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace quorvane {

namespace {

// Failures the system reports without an errno.
const char* const kNotOpen = "the port is not open";
const char* const kWriteTimedOut = "the write did not finish within its time-out";
const char* const kHungUp = "the line hung up";

bool hungUp(int fd) {
    pollfd state{fd, POLLIN, 0};
    return ::poll(&state, 1, 0) > 0 && (state.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

// The termios constant of a standard speed; B0 for one this system lacks.
speed_t speedConstant(int baudRate) {
    switch (baudRate) {
        case 4800:
            return B4800;
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

}  // namespace

PosixSerialPort::PosixSerialPort(WriteTimeouts timeouts, int baudRate)
    : timeouts_(timeouts), baudRate_(baudRate) {}

void PosixSerialPort::failWithErrno(const char* call) {
    const std::string reason = std::system_category().message(errno);
    lastError_ = call != nullptr ? std::string(call) + ": " + reason : reason;
}

// 921600 (or the speed asked for) 8N1 in raw mode. Software flow control is switched off as well:
// with IXON the line discipline swallows 0x11/0x13 bytes, which occur freely inside binary transfer
// frames. Hardware flow control stays as the driver has it.
void PosixSerialPort::configureLine() {
    termios tio{};
    if (tcgetattr(fd_, &tio) != 0) {
        failWithErrno("tcgetattr");
        return;
    }
    if (const speed_t speed = speedConstant(baudRate_); speed != B0) {
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
    }
    tio.c_cflag &= ~tcflag_t(CSIZE | PARENB | CSTOPB);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | INPCK |
                             IXON | IXOFF | IXANY);
#ifdef IUCLC
    tio.c_iflag &= ~tcflag_t(IUCLC);
#endif
    tio.c_oflag &= ~tcflag_t(OPOST);
    tio.c_lflag &= ~tcflag_t(ICANON | ECHO | ECHOE | ECHONL | ISIG | IEXTEN);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd_, TCSANOW, &tio) != 0) {
        failWithErrno("tcsetattr");
    }
}

PosixSerialPort::~PosixSerialPort() {
    close();
}

bool PosixSerialPort::open(const std::string& name) {
    close();
    lastError_.clear();
    const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        failWithErrno();
        return false;
    }
    // TIOCEXCL turns later opens away, but not those of a privileged process; the lock makes
    // a second copy of this program back off even then.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        failWithErrno("flock");
        ::close(fd);
        return false;
    }
    fd_ = fd;
    // A setting that does not take is noted, and the port used all the same.
    if (::ioctl(fd_, TIOCEXCL) != 0) {
        failWithErrno("TIOCEXCL");
    }
    configureLine();
    if (tcflush(fd_, TCIOFLUSH) != 0) {
        failWithErrno("tcflush");
    }
    return true;
}

void PosixSerialPort::close() {
    if (fd_ < 0) {
        return;
    }
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

bool PosixSerialPort::write(std::span<const uint8_t> bytes) {
    if (fd_ < 0) {
        fail(kNotOpen);
        return false;
    }
    using Clock = std::chrono::steady_clock;
    const auto deadline =
        Clock::now() + timeouts_.perByte * int64_t(bytes.size()) + timeouts_.constant;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (written > 0) {
            done += size_t(written);
            continue;
        }
        if (written < 0 && errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) {
            failWithErrno();
            return false;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            // What the driver still holds of this write is given up with it.
            tcflush(fd_, TCOFLUSH);
            fail(kWriteTimedOut);
            return false;
        }
        pollfd ready{fd_, POLLOUT, 0};
        const int polled = ::poll(&ready, 1, int(std::min<int64_t>(left.count(), INT32_MAX)));
        if (polled < 0 && errno != EINTR) {
            failWithErrno("poll");
            return false;
        }
        if (polled > 0 && (ready.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            fail(kHungUp);
            return false;
        }
    }
    return true;
}

ReadResult PosixSerialPort::readAvailable(std::span<uint8_t> buffer) {
    if (fd_ < 0) {
        fail(kNotOpen);
        return {false, 0};
    }
    const size_t limit = std::min(buffer.size(), kMaxRead);
    for (;;) {
        const ssize_t got = ::read(fd_, buffer.data(), limit);
        if (got > 0) {
            return {true, size_t(got)};
        }
        if (got == 0) {
            // With VMIN = VTIME = 0 an empty line and a hung-up one (device unplugged, peer of
            // a pseudo-terminal gone) both read 0 bytes; only the hang-up is a failure.
            if (hungUp(fd_)) {
                fail(kHungUp);
                return {false, 0};
            }
            return {true, 0};
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return {true, 0};
        }
        if (errno != EINTR) {
            failWithErrno();
            return {false, 0};
        }
    }
}

size_t PosixSerialPort::inputQueued() {
    int queued = 0;
    if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &queued) != 0 || queued < 0) {
        return 0;
    }
    return size_t(queued);
}

bool PosixSerialPort::purge() {
    if (fd_ < 0) {
        fail(kNotOpen);
        return false;
    }
    if (tcflush(fd_, TCIOFLUSH) != 0) {
        failWithErrno();
        return false;
    }
    return true;
}

void PosixSerialPort::waitForInput() {
    if (fd_ < 0) {
        return;
    }
    pollfd ready{fd_, POLLIN, 0};
    ::poll(&ready, 1, 1);
}

}  // namespace quorvane
