// Lines from the ship's navigation (a serial port or UDP: anything may arrive) and lines of a
// navigation log, which a killed recorder or a hand edit may have damaged.
#include <cmath>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "navigation/nav_log.h"
#include "navigation/nmea_reader.h"

using namespace quorvane;

namespace {

void checkFix(const NavFix& fix) {
    fuzz::require(std::abs(fix.latitude) <= 90.0 && std::abs(fix.longitude) <= 180.0,
                  "a position on the globe");
    fuzz::require(fix.quality > 0, "a fix with a quality");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    NmeaReader reader;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        std::string problem;
        if (const std::optional<NavFix> fix = reader.read(line, problem)) {
            checkFix(*fix);
            fuzz::require(problem.empty(), "a fix has no problem");
            // What the recorder writes reads back as the same fix.
            const std::string logged = navLogLine(*fix, fix->utcMs);
            const std::optional<NavFix> back =
                readNavLogLine(std::string_view(logged).substr(0, logged.size() - 1));
            fuzz::require(back && back->utcMs == fix->utcMs && back->source == fix->source,
                          "a logged fix reads back");
        }
        if (const std::optional<NavFix> logged = readNavLogLine(line)) {
            checkFix(*logged);
        }
        start = end + 1;
    }
    return 0;
}
