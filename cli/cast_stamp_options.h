#pragma once

#include <optional>
#include <string>

#include "common/arguments.h"
#include "common/message.h"
#include "postprocess/export/cast_position.h"
#include "postprocess/export/cast_time.h"

namespace quorvane::cli {

// --time, --utc-offset and --position, as every command that stamps a cast takes them.
struct CastStampOptions {
    std::optional<CastTime> time;     // local, like the instrument's clock
    std::optional<double> utcOffset;  // nothing: this PC's own at the cast time
    std::optional<CastPosition> position;

    double utcOffsetAt(const CastTime& local) const {
        return utcOffset ? *utcOffset : pcUtcOffsetHours(local);
    }
};

// Said when the offset was not given: which one the cast time was taken in.
Text pcOffsetNote(const std::string& path, double hours);

// Reads them from the command line; a bad one sets `error`.
CastStampOptions readCastStampOptions(const Arguments& args, std::string& error);

}  // namespace quorvane::cli
