#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// A position fix from the ship's navigation: UTC as the navigation gives it, in milliseconds
// since 1970; signed decimal degrees; the GGA fix quality (RMC's mode mapped onto it).
struct NavFix {
    int64_t utcMs = 0;
    double latitude = 0.0;
    double longitude = 0.0;
    int quality = 0;
    std::string source{};  // the sentence's address: "GPGGA", "GNRMC", …

    bool operator==(const NavFix&) const = default;
};

// The longest sentence taken; NMEA 0183 allows 82 characters, some receivers write longer
// GGA with more decimals.
inline constexpr size_t kNmeaMaximumLine = 128;

// Reads NMEA 0183 sentences one line at a time: GGA, RMC and ZDA from any talker. Every
// sentence needs its checksum. GGA carries only the time of day: its date is the last RMC's or
// ZDA's, moved on a day when the time of day wraps past midnight; until a date has come, GGA
// gives no fix. RMC gives fixes itself only while no GGA is seen, so a receiver sending both
// does not log each second twice.
class NmeaReader {
  public:
    // A fix when the line makes one. Otherwise nothing, and `problem` says why the line was
    // refused (a bad checksum, a latitude beyond 90°, quality 0, …) or is left empty for a
    // sentence that is sound but no fix (ZDA, other sentence types, GGA before any date).
    std::optional<NavFix> read(std::string_view line, std::string& problem);

    // The navigation's UTC of the last RMC or ZDA, for comparing the PC's clock against.
    std::optional<int64_t> lastDatedUtcMs() const { return datedUtcMs_; }

  private:
    std::optional<NavFix> gga(std::string_view address, std::string_view fields,
                              std::string& problem);
    std::optional<NavFix> rmc(std::string_view address, std::string_view fields,
                              std::string& problem);
    void zda(std::string_view fields, std::string& problem);

    std::optional<int64_t> datedUtcMs_;  // a dated time, whole milliseconds since 1970
    bool sawGga_ = false;
};

}  // namespace quorvane
