#include "postprocess/session/cast_stamp.h"

#include <chrono>

namespace quorvane {

namespace {
Message warning(const char* zh, const char* en) {
    return Message{BoxType::Warning, Text{zh, en}};
}
}  // namespace

double pcOffsetNow() {
    const int64_t utc = std::chrono::duration_cast<std::chrono::seconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    // The offset is read at the UTC time taken as local: off only within the hour a summer
    // time starts or ends.
    return pcUtcOffsetHours(castTimeAt(utc));
}

CastStampTexts proposedCastStamp(const std::string& shownPath) {
    const auto local = localCastTime(shownPath);
    if (!local) {
        return CastStampTexts{{}, utcOffsetText(pcOffsetNow()), {}, {}};
    }
    return CastStampTexts{castTimeText(*local), utcOffsetText(pcUtcOffsetHours(*local)), {}, {}};
}

std::variant<CastStamp, Message> readCastStamp(const CastStampTexts& texts) {
    CastStamp stamp;
    const auto time = parseCastTime(texts.time);
    if (!time) {
        return warning("请按“YYYY-MM-DD HH:MM:SS”的格式输入投放时间。",
                       "Please enter the cast time as YYYY-MM-DD HH:MM:SS.");
    }
    stamp.localTime = *time;
    if (!texts.utcOffset.empty()) {
        const auto offset = parseUtcOffset(texts.utcOffset);
        if (!offset) {
            return warning("时区（与UTC相差的小时数）须在-14到14之间。",
                           "Please enter the UTC offset in hours, from -14 to 14.");
        }
        stamp.utcOffset = *offset;
    }
    if (!texts.latitude.empty() || !texts.longitude.empty()) {
        stamp.position = positionOf(texts.latitude, texts.longitude);
        if (!stamp.position) {
            return warning(
                "请以带符号的十进制度数输入纬度（-90到90）和经度（-180到180），或两者都留空。",
                "Please enter latitude (-90 to 90) and longitude (-180 to 180) in "
                "signed decimal degrees, or leave both empty.");
        }
    }
    return stamp;
}

}  // namespace quorvane
