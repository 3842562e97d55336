#include "simulator/testing/line_client.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace quorvane::sim {
namespace {

// Header, 16-bit little-endian length, payload, checksum; unknown until the length has come.
size_t frameLength(std::string_view bytes) {
    return bytes.size() < 4 ? SIZE_MAX : (uint8_t(bytes[2]) | uint8_t(bytes[3]) << 8) + 5;
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
        if (got < 0 && errno == EAGAIN) {
            continue;
        }
        if (got <= 0) {
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
    const auto length = [](const std::string& s) {
        const size_t end = s.find("\r\n");
        return end == std::string::npos ? SIZE_MAX : end + 2;
    };
    return readPiece(length, timeoutMs);
}

std::string LineClient::readFrame(int timeoutMs) {
    return readPiece(frameLength, timeoutMs);
}

std::string LineClient::readPiece(const std::function<size_t(const std::string&)>& length,
                                  int timeoutMs) {
    std::string bytes =
        readUntil([&](const std::string& s) { return s.size() >= length(s); }, timeoutMs);
    const size_t n = length(bytes);
    if (bytes.size() > n) {
        pending_ = bytes.substr(n);
        bytes.resize(n);
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
    if (bytes.size() < 5 || uint8_t(bytes[0]) != 0xAA || uint8_t(bytes[1]) != 0x55 ||
        bytes.size() != frameLength(bytes)) {
        return std::nullopt;
    }
    unsigned sum = 0;
    for (size_t i = 0; i + 1 < bytes.size(); ++i) {
        sum += uint8_t(bytes[i]);
    }
    return ParsedFrame{std::string(bytes.substr(4, bytes.size() - 5)),
                       uint8_t(sum) == uint8_t(bytes.back())};
}

}  // namespace quorvane::sim
