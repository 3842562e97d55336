#include "navigation/nav_input.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iterator>

#include "common/parse_number.h"
#include "common/strformat.h"
#include "device/link/serial_port_factory.h"
#include "network/datagram_network.h"

namespace quorvane {

namespace {

constexpr double kClockToleranceS = 2.0;
// A stream that never ends a line is not NMEA; what piles up is handed on (and refused as too
// long) rather than kept without bound.
constexpr size_t kLongestPending = 4096;

// Cuts a byte stream into lines at LF, dropping the CR before it.
class LineCutter {
  public:
    void add(std::string_view bytes, std::vector<std::string>& lines) {
        pending_.append(bytes);
        size_t start = 0;
        for (size_t end; (end = pending_.find('\n', start)) != std::string::npos; start = end + 1) {
            lines.push_back(pending_.substr(start, end - start));
        }
        pending_.erase(0, start);
        if (pending_.size() > kLongestPending) {
            lines.push_back(std::move(pending_));
            pending_.clear();
        }
        for (std::string& line : lines) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
        }
    }

  private:
    std::string pending_;
};

class SerialNavInput : public NavInput {
  public:
    explicit SerialNavInput(std::unique_ptr<SerialPort> port) : port_(std::move(port)) {}

    std::vector<std::string> lines(int waitMs) override {
        std::vector<std::string> lines;
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        while (lines.empty() && failure_.empty() && std::chrono::steady_clock::now() < until) {
            uint8_t buffer[SerialPort::kMaxRead];
            const ReadResult read = port_->readAvailable(buffer);
            if (!read.ok) {
                failure_ = port_->lastError();
            } else if (read.count == 0) {
                port_->waitForInput();
            } else {
                cutter_.add({reinterpret_cast<const char*>(buffer), read.count}, lines);
            }
        }
        return lines;
    }
    std::string failure() const override { return failure_; }

  private:
    std::unique_ptr<SerialPort> port_;
    LineCutter cutter_;
    std::string failure_;
};

class UdpNavInput : public NavInput {
  public:
    UdpNavInput(std::unique_ptr<DatagramNetwork> network,
                std::unique_ptr<DatagramReceiver> receiver)
        : network_(std::move(network)), receiver_(std::move(receiver)) {}
    ~UdpNavInput() override { receiver_.reset(); }  // before the network it belongs to

    std::vector<std::string> lines(int waitMs) override {
        std::vector<std::string> lines;
        if (const std::optional<Arrival> arrival = receiver_->receive(waitMs)) {
            // Each datagram holds whole sentences; a last one without its line end is whole too.
            LineCutter cutter;
            cutter.add(arrival->bytes + "\n", lines);
            if (!lines.empty() && lines.back().empty())
                lines.pop_back();
        }
        return lines;
    }
    std::string failure() const override { return {}; }

  private:
    std::unique_ptr<DatagramNetwork> network_;
    std::unique_ptr<DatagramReceiver> receiver_;
};

}  // namespace

std::optional<NavSource> parseNavSource(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) {
        return std::nullopt;
    }
    NavSource source;
    if (std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const std::optional<double> port = parseNumber(text);
        if (!port || *port < 1 || *port > 65535) {
            return std::nullopt;
        }
        source.udpPort = uint16_t(*port);
        return source;
    }
    const size_t at = text.rfind('@');
    source.serialPort = std::string(text.substr(0, at));
    if (at != std::string_view::npos) {
        const std::optional<double> baud = parseNumber(text.substr(at + 1));
        if (!baud || !isStandardBaudRate(*baud)) {
            return std::nullopt;
        }
        source.baudRate = int(*baud);
    }
    if (source.serialPort.empty()) {
        return std::nullopt;
    }
    return source;
}

std::string navSourceText(const NavSource& source) {
    if (source.serialPort.empty()) {
        return "UDP " + std::to_string(source.udpPort);
    }
    std::string text = source.serialPort;
    text.append(" at ").append(std::to_string(source.baudRate)).append(" baud");
    return text;
}

std::unique_ptr<NavInput> openNavInput(const NavSource& source, std::string& problem) {
    if (source.serialPort.empty()) {
        std::unique_ptr<DatagramNetwork> network = makeUdpNetwork();
        std::unique_ptr<DatagramReceiver> receiver = network->listen(source.udpPort, problem);
        if (!receiver) {
            return nullptr;
        }
        return std::make_unique<UdpNavInput>(std::move(network), std::move(receiver));
    }
    std::unique_ptr<SerialPort> port = makeSystemSerialPort(source.baudRate);
    if (!port->open(source.serialPort)) {
        problem = source.serialPort + ": " + port->lastError();
        return nullptr;
    }
    return std::make_unique<SerialNavInput>(std::move(port));
}

std::optional<Text> PcClockWatch::update(std::optional<double> clockAheadS) {
    if (!clockAheadS || (std::abs(*clockAheadS) > kClockToleranceS) == off_) {
        return std::nullopt;
    }
    off_ = !off_;
    const std::string seconds = strformat("%+.1f", *clockAheadS);
    if (off_) {
        return Text{"本机时钟与GPS时间相差" + seconds + "秒：由它得出的投放时间也差这么多",
                    "the PC's clock is " + seconds +
                        " s off GPS time: cast times taken from it are off as much"};
    }
    return Text{"本机时钟与GPS时间重新一致（" + seconds + "秒）",
                "the PC's clock agrees with GPS time again (" + seconds + " s)"};
}

std::string recordNavigation(NavInput& input, NavRecorder& recorder,
                             const std::function<bool()>& stopped,
                             const std::function<void(const NavRecorder::Outcome&)>& report) {
    // Short waits, so that a stop is seen within a fifth of a second.
    constexpr int kWaitMs = 200;
    while (!stopped()) {
        for (const std::string& line : input.lines(kWaitMs)) report(recorder.line(line));
        if (!input.failure().empty()) {
            return input.failure();
        }
    }
    return {};
}

int64_t pcClockMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace quorvane
