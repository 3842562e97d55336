#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane::sim {

// The host's end of the line in tests: plain POSIX calls on the pseudo-terminal's slave,
// every read bounded by a deadline so a silent profiler fails a test instead of hanging it.
class LineClient {
  public:
    explicit LineClient(const std::string& slavePath);
    ~LineClient();
    LineClient(const LineClient&) = delete;
    LineClient& operator=(const LineClient&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    bool send(std::string_view bytes);

    // Reads until `done` holds for what has arrived, the deadline passes or the line dies.
    std::string readUntil(const std::function<bool(const std::string&)>& done,
                          int timeoutMs = 3000);
    // Everything that arrives within the time (for checking that nothing does).
    std::string readFor(int ms);
    // Reads one reply: up to and including the first CR LF.
    std::string readLine(int timeoutMs = 3000);
    std::string exchange(std::string_view command) {
        send(command);
        return readLine();
    }
    // Reads a whole block frame (header, length, payload, checksum) and nothing more.
    std::string readFrame(int timeoutMs = 3000);

    // True once the profiler's side of the line is gone.
    bool lineDead(int timeoutMs = 3000);

  private:
    // Reads until `length` of what has arrived (SIZE_MAX: not known yet) has come, keeping
    // anything beyond it for the next read.
    std::string readPiece(const std::function<size_t(const std::string&)>& length, int timeoutMs);

    int fd_ = -1;
    std::string pending_;  // bytes read past the end of the last reply
};

// A block frame taken apart after the layout: AA 55, 16-bit little-endian length N, N
// payload bytes, then the low byte of the sum of all bytes before it.
struct ParsedFrame {
    std::string payload;
    bool checksumOk = false;
};
std::optional<ParsedFrame> parseFrame(std::string_view bytes);

}  // namespace quorvane::sim
