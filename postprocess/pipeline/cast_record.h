#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/message.h"
#include "postprocess/export/cast_position.h"
#include "postprocess/export/cast_time.h"
#include "postprocess/rawcast/cast_data.h"
#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

// A raw cast as a command or the window processed it: what the cast library keeps of it.
struct ProcessedCast {
    std::string path;  // the raw file, as given
    int64_t deviceId = 0;
    std::optional<CastTime> localTime{};
    std::optional<CastTime> utcTime{};
    std::optional<CastPosition> position{};
    std::string positionSource;
    int64_t recordCount = 0;
    std::string settings;  // key=value lines, keyed by the command line's options
    std::vector<ProfilePoint> profile{};
};

// The reduction's part of the record; the time and the position are the caller's to add.
// `averaged`: the average was computed, from data.averageStartDepth. `filter`: the exports'
// water-depth filter, when on.
ProcessedCast processedCast(const std::string& path, int64_t deviceId, const CastData& data,
                            bool averaged, std::optional<double> filter);

// A raw cast on disk reduced as `process` does by default (the header's settings, the average
// from its default start depth), for keeping a cast that was downloaded or found rather than
// processed; its local time from its name or file. Nothing when it cannot be read; `messages`
// get what the reduction said either way.
std::optional<ProcessedCast> castOnDisk(const std::string& path, std::vector<Message>& messages);

// A file written from the cast, or a send of it.
struct CastOutput {
    std::string kind;    // the format's command-line name, or "send sis5 confirmed"
    std::string target;  // the file's path, or where it was sent
};

enum class RecordOutcome { Recorded, Updated, Failed };

// Where processed casts are kept: the cast library, or nothing in a build without one.
class CastRecorder {
  public:
    virtual ~CastRecorder() = default;
    // `replace`: the cast's record is rewritten from this processing (process, import, the
    // window); without it the record is only made when there is none, so that a send keeps the
    // position and settings a process recorded.
    virtual RecordOutcome record(const ProcessedCast& cast, const std::vector<CastOutput>& outputs,
                                 bool replace) = 0;
};

}  // namespace quorvane
