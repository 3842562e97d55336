#pragma once

#include <optional>
#include <string>
#include <variant>

#include "common/message.h"
#include "postprocess/export/cast_position.h"
#include "postprocess/export/cast_time.h"

namespace quorvane {

// The cast's time and position as the window's cast dialog shows them, editable.
struct CastStampTexts {
    std::string time;       // "YYYY-MM-DD HH:MM:SS", local
    std::string utcOffset;  // hours east of UTC
    std::string latitude, longitude;
    bool operator==(const CastStampTexts&) const = default;
};

// What the dialog hands back once its texts are sound.
struct CastStamp {
    CastTime localTime;
    double utcOffset = 0.0;
    std::optional<CastPosition> position;  // both fields left empty: none
    std::string positionSource{};          // "typed", or the navigation log it came from
    bool operator==(const CastStamp&) const = default;
};

// The dialog's first texts for the shown file: the time from its name (a downloaded cast's),
// else from its modification time; this PC's UTC offset at that time (the instrument's clock was
// set from a PC's local time); no position.
CastStampTexts proposedCastStamp(const std::string& shownPath);

// This PC's UTC offset now, for a cast whose time is not yet known.
double pcOffsetNow();

// The stamp of the texts, or the message that says which field is wrong. An empty UTC offset
// means 0.
std::variant<CastStamp, Message> readCastStamp(const CastStampTexts& texts);

}  // namespace quorvane
