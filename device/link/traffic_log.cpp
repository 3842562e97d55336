#include "device/link/traffic_log.h"

#include <chrono>

#include "common/strformat.h"
#include "device/link/system_clock.h"

namespace quorvane {

namespace {

std::string timestamp() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const LocalDateTime local = localDateTimeOf(system_clock::to_time_t(now));
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return strformat("%04d-%02d-%02d %02d:%02d:%02d.%03d", local.year, local.month, local.day,
                     local.hour, local.minute, local.second, int(millis));
}

}  // namespace

std::string hexDump(std::span<const uint8_t> bytes) {
    constexpr size_t kPerLine = 16;
    std::string out;
    for (size_t line = 0; line < bytes.size(); line += kPerLine) {
        std::string hex;
        std::string ascii;
        for (size_t i = line; i < line + kPerLine; ++i) {
            if (i < bytes.size()) {
                hex += strformat("%02x ", bytes[i]);
                ascii += bytes[i] >= 0x20 && bytes[i] < 0x7f ? char(bytes[i]) : '.';
            } else {
                hex += "   ";
            }
        }
        out += strformat("  %04llx  %s %s\n", static_cast<unsigned long long>(line), hex.c_str(),
                         ascii.c_str());
    }
    return out;
}

TrafficLogPort::TrafficLogPort(std::unique_ptr<SerialPort> inner, const std::string& logPath)
    : inner_(std::move(inner)), log_(openFile(logPath, "ab")) {}

void TrafficLogPort::entry(const std::string& line, std::span<const uint8_t> bytes) {
    if (!log_) {
        return;
    }
    const std::string text = timestamp() + " " + line + "\n" + hexDump(bytes);
    std::fwrite(text.data(), 1, text.size(), log_.get());
    std::fflush(log_.get());
}

std::string TrafficLogPort::failed(const std::string& what) const {
    return what + " failed: " + inner_->lastError();
}

bool TrafficLogPort::open(const std::string& name) {
    const bool ok = inner_->open(name);
    const std::string what = "open " + name;
    if (!ok) {
        entry(failed(what));
    } else if (const std::string unset = inner_->lastError(); !unset.empty()) {
        entry(what + " ok, not fully configured: " + unset);
    } else {
        entry(what + " ok");
    }
    return ok;
}

void TrafficLogPort::close() {
    if (inner_->isOpen()) {
        entry("close");
    }
    inner_->close();
}

bool TrafficLogPort::write(std::span<const uint8_t> bytes) {
    const bool ok = inner_->write(bytes);
    const std::string what =
        strformat("write %llu bytes", static_cast<unsigned long long>(bytes.size()));
    entry(ok ? what + " ok" : failed(what), bytes);
    return ok;
}

ReadResult TrafficLogPort::readAvailable(std::span<uint8_t> buffer) {
    const ReadResult result = inner_->readAvailable(buffer);
    if (!result.ok) {
        entry(failed("read"));
    } else if (result.count > 0) {
        entry(strformat("read %llu bytes", static_cast<unsigned long long>(result.count)),
              buffer.first(result.count));
    }
    return result;
}

bool TrafficLogPort::purge() {
    const bool ok = inner_->purge();
    entry(ok ? "purge" : failed("purge"));
    return ok;
}

}  // namespace quorvane
