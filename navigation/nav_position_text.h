#pragma once

#include <string>
#include <vector>

#include "common/message.h"
#include "navigation/nav_log.h"
#include "postprocess/export/cast_time.h"

namespace quorvane {

// What a lookup found, in the words the CLI and the window both say it: the position and the
// log and fix gap it came from, or why there is none.
Text navLookupText(const NavLookup& lookup, const CastTime& utc, int64_t maximumGapMs);

// Where a position came from, as the cast library keeps it.
std::string navPositionSource(const NavPosition& found);

// The log a user picked and the other days of the same recording beside it ("nav-2026-12-07.log"
// brings "nav-2026-12-06.log"), so that a cast just after midnight finds its fix before it.
std::vector<std::string> sameRecordingLogs(const std::string& chosenUtf8Path);

}  // namespace quorvane
