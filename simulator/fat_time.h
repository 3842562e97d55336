#pragma once

#include <cstdint>
#include <ctime>

namespace quorvane::sim {

// The MS-DOS date and time words a FAT card stores for a file (local time, 2-second steps).
struct FatStamp {
    uint16_t date = 0;  // (year - 1980) << 9 | month << 5 | day
    uint16_t time = 0;  // hour << 11 | minute << 5 | second / 2
};

// Years outside 1980..2107 cannot be written; they clamp to the nearest end of the range.
FatStamp toFatStamp(std::time_t when);

}  // namespace quorvane::sim
