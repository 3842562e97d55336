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
        s.utcOffset = hours;
    }
    if (const auto position = args.value("position")) {
        s.position = parsePosition(*position);
        if (!s.position)
            error = "--position must be LAT,LON in signed decimal degrees, not '" + *position + "'";
    }
    return s;
}

Text pcOffsetNote(const std::string& path, double hours) {
    const std::string zone = "UTC" + (hours == 0.0 ? std::string() : utcOffsetText(hours));
    return Text{path + "：投放时间按本机时区" + zone + "换算（可用--utc-offset指定）",
                path + ": the cast time is taken as " + zone +
                    ", this PC's offset (--utc-offset sets another)"};
}

}  // namespace quorvane::cli
