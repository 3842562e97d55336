#include "simulator/fat_time.h"

namespace quorvane::sim {

FatStamp toFatStamp(std::time_t when) {
    std::tm local{};
    if (localtime_r(&when, &local) == nullptr) {
        return {};
    }
    const int year = local.tm_year + 1900;
    if (year < 1980) {
        return {static_cast<uint16_t>(1 << 5 | 1), 0};  // 1980-01-01 00:00:00
    }
    if (year > 2107) {
        return {static_cast<uint16_t>(127 << 9 | 12 << 5 | 31),
                static_cast<uint16_t>(23 << 11 | 59 << 5 | 29)};
    }
    FatStamp stamp;
    stamp.date =
        static_cast<uint16_t>((year - 1980) << 9 | (local.tm_mon + 1) << 5 | local.tm_mday);
    stamp.time = static_cast<uint16_t>(local.tm_hour << 11 | local.tm_min << 5 | local.tm_sec / 2);
    return stamp;
}

}  // namespace quorvane::sim
