#include "cli/cast_stamp_options.h"

namespace quorvane::cli {

CastStampOptions readCastStampOptions(const Arguments& args, std::string& error) {
    CastStampOptions s;
    if (const auto time = args.value("time")) {
        s.time = parseCastTime(*time);
        if (!s.time)
            error = "--time must be \"YYYY-MM-DD HH:MM:SS\", not '" + *time + "'";
    }
    if (const auto offset = args.value("utc-offset")) {
        const auto hours = parseUtcOffset(*offset);
        if (!hours)
            error = "--utc-offset must be hours from -14 to 14, not '" + *offset + "'";
        s.utcOffset = hours.value_or(0.0);
    }
    if (const auto position = args.value("position")) {
        s.position = parsePosition(*position);
        if (!s.position)
            error = "--position must be LAT,LON in signed decimal degrees, not '" + *position + "'";
    }
    return s;
}

}  // namespace quorvane::cli
