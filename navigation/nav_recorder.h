#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/file_io.h"
#include "navigation/nmea_reader.h"

namespace quorvane {

// Writes the fixes of a navigation stream into its log, a file per UTC day beside the path it is
// given ("nav.log" → "nav-2026-12-07.log"), each line whole and flushed as it is written, so
// that the log can be read while it grows and a week-long survey never makes one huge file.
class NavRecorder {
  public:
    // Where the programs keep the navigation they record: Data/navigation.log under the working
    // folder, beside the downloaded casts.
    static std::string defaultPath(const std::string& workingFolderUtf8);

    // `pcClockMs`: the PC's clock, milliseconds since 1970, logged beside each fix.
    NavRecorder(std::string utf8Path, std::function<int64_t()> pcClockMs);

    struct Outcome {
        std::optional<NavFix> fix;          // written
        std::string problem;                // why the line was refused, or could not be written
        std::optional<double> clockAheadS;  // after an RMC or ZDA: the PC's clock minus GPS time
    };
    Outcome line(std::string_view line);

    const std::string& currentFile() const { return currentFile_; }
    size_t fixesWritten() const { return written_; }

  private:
    std::string dayFile(int64_t utcMs) const;

    std::string path_;
    std::function<int64_t()> pcClockMs_;
    NmeaReader reader_;
    FileHandle file_;
    std::string currentFile_;
    int64_t lastUtcMs_ = INT64_MIN;
    size_t written_ = 0;
};

}  // namespace quorvane
