// The cast time and position texts the exports take (--time, a downloaded cast's name,
// --utc-offset, --position and the window's dialog), as a user may type them.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "fuzz/fuzz_support.h"
#include "postprocess/export/cast_position.h"
#include "postprocess/export/cast_time.h"

using namespace quorvane;

namespace {

void checkTime(const CastTime& time, double offset) {
    fuzz::require(parseCastTime(castTimeText(time)) == time, "a cast time reads back");
    const int day = dayOfYear(time);
    fuzz::require(day >= 1 && day <= 366, "a day of the year");
    const CastTime utc = toUtc(time, offset);
    fuzz::require(utc.hour >= 0 && utc.hour <= 23 && utc.minute >= 0 && utc.minute <= 59 &&
                      utc.second >= 0 && utc.second <= 59,
                  "a UTC time of day");
    fuzz::require(toUtc(utc, -offset) == time, "back from UTC is the local time");
}

// dd:mm:ss.ss back to degrees, within the half hundredth of a second it is rounded to.
void checkDegrees(double degrees) {
    const std::string text = degreesMinutesSeconds(degrees);
    long long whole = 0, minutes = 0, seconds = 0, hundredths = 0;
    char sign = '+';
    const char* digits = text.c_str() + (text[0] == '-' ? 1 : 0);
    sign = text[0] == '-' ? '-' : '+';
    fuzz::require(
        std::sscanf(digits, "%lld:%lld:%lld.%lld", &whole, &minutes, &seconds, &hundredths) == 4 &&
            minutes < 60 && seconds < 60,
        "degrees, minutes below 60 and seconds below 60");
    const double back =
        (sign == '-' ? -1 : 1) * (whole + minutes / 60.0 + (seconds + hundredths / 100.0) / 3600.0);
    fuzz::require(std::fabs(back - degrees) <= 0.0051 / 3600.0, "dd:mm:ss.ss reads back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string timeText = input.ConsumeRandomLengthString(40);
    const std::string offsetText = input.ConsumeRandomLengthString(24);
    const std::string positionText = input.ConsumeRemainingBytesAsString();

    double offset = 0.0;
    if (const auto parsed = parseUtcOffset(offsetText)) {
        fuzz::require(std::fabs(*parsed) <= 14.0, "an offset within 14 hours");
        offset = *parsed;
    }
    for (const auto time : {parseCastTime(timeText), castTimeFromFileName(timeText)}) {
        if (time) {
            checkTime(*time, offset);
        }
    }
    if (const auto position = parsePosition(positionText)) {
        fuzz::require(std::fabs(position->latitude) <= 90 && std::fabs(position->longitude) <= 180,
                      "a position on the globe");
        checkDegrees(position->latitude);
        checkDegrees(position->longitude);
    }
    return 0;
}
