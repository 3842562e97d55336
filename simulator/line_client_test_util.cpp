#include "simulator/line_client_test_util.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace quorvane::sim {
namespace {

size_t frameLength(const std::string& bytes) {
    if (bytes.size() < 4) {
        return SIZE_MAX;
    }
    const size_t n = static_cast<uint8_t>(bytes[2]) | static_cast<uint8_t>(bytes[3]) << 8;
    return n + 5;
}

}  // namespace

LineClient::LineClient(const std::string& slavePath) {
    fd_ = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios settings{};
    if (fd_ >= 0 && ::tcgetattr(fd_, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(fd_, TCSANOW, &settings);
    }
}

LineClient::~LineClient() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool LineClient::send(std::string_view bytes) {
    return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::string LineClient::readUntil(const std::function<bool(const std::string&)>& done,
                                  int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string received = std::move(pending_);
    pending_.clear();
    while (!done(received)) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            break;
        }
        pollfd probe{fd_, POLLIN, 0};
        if (::poll(&probe, 1, static_cast<int>(left)) <= 0) {
            continue;
        }
        char buffer[4096];
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got <= 0) {
            if (got < 0 && errno == EAGAIN) {
                continue;
            }
            break;  // end of line: the profiler hung up
        }
        received.append(buffer, static_cast<size_t>(got));
    }
    return received;
}

std::string LineClient::readFor(int ms) {
    return readUntil([](const std::string&) { return false; }, ms);
}

std::string LineClient::readLine(int timeoutMs) {
    std::string text = readUntil(
        [](const std::string& s) { return s.find("\r\n") != std::string::npos; }, timeoutMs);
    const size_t end = text.find("\r\n");
    if (end != std::string::npos) {
        pending_ = text.substr(end + 2);
        text.resize(end + 2);
    }
    return text;
}

std::string LineClient::readFrame(int timeoutMs) {
    std::string bytes =
        readUntil([](const std::string& s) { return s.size() >= frameLength(s); }, timeoutMs);
    if (bytes.size() > frameLength(bytes)) {
        pending_ = bytes.substr(frameLength(bytes));
        bytes.resize(frameLength(bytes));
    }
    return bytes;
}

bool LineClient::lineDead(int timeoutMs) {
    pollfd probe{fd_, POLLIN, 0};
    if (::poll(&probe, 1, timeoutMs) <= 0 || (probe.revents & POLLHUP) == 0) {
        return false;
    }
    // A hung-up terminal refuses writes.
    return ::write(fd_, "x", 1) < 0 && errno == EIO;
}

std::optional<ParsedFrame> parseFrame(std::string_view bytes) {
    if (bytes.size() < 5 || static_cast<uint8_t>(bytes[0]) != 0xAA ||
        static_cast<uint8_t>(bytes[1]) != 0x55) {
        return std::nullopt;
    }
    const size_t n = static_cast<uint8_t>(bytes[2]) | static_cast<uint8_t>(bytes[3]) << 8;
    if (bytes.size() != n + 5) {
        return std::nullopt;
    }
    unsigned sum = 0;
    for (size_t i = 0; i < n + 4; ++i) {
        sum += static_cast<uint8_t>(bytes[i]);
    }
    return ParsedFrame{std::string(bytes.substr(4, n)),
                       static_cast<uint8_t>(sum) == static_cast<uint8_t>(bytes[n + 4])};
}

}  // namespace quorvane::sim
