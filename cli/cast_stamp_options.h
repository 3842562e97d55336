#pragma once

#include <optional>
#include <string>

#include "common/arguments.h"
#include "postprocess/export/cast_position.h"
#include "postprocess/export/cast_time.h"

namespace quorvane::cli {

// --time, --utc-offset and --position, as every command that stamps a cast takes them.
struct CastStampOptions {
    std::optional<CastTime> time;  // local, like the instrument's clock
    double utcOffset = 0.0;
    std::optional<CastPosition> position;
};

// Reads them from the command line; a bad one sets `error`.
CastStampOptions readCastStampOptions(const Arguments& args, std::string& error);

}  // namespace quorvane::cli
