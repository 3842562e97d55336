#include "navigation/nav_position_text.h"

#include <algorithm>
#include <filesystem>

#include "common/file_io.h"
#include "common/path_names.h"
#include "common/strformat.h"

namespace quorvane {

namespace {

// "nav-2026-12-07.log" → "nav-", ".log"; nothing for a name without the recorder's day.
std::optional<std::pair<std::string, std::string>> dayNameParts(const std::string& name) {
    const size_t dot = name.rfind('.');
    const size_t end = dot == std::string::npos ? name.size() : dot;
    if (end < 11 || name[end - 11] != '-') {
        return std::nullopt;
    }
    const std::string day = name.substr(end - 10, 10);
    if (!parseCastTime(day + " 00:00:00")) {
        return std::nullopt;
    }
    return std::pair{name.substr(0, end - 10), name.substr(end)};
}

}  // namespace

Text navLookupText(const NavLookup& lookup, const CastTime& utc, int64_t maximumGapMs) {
    const std::string when = castTimeText(utc) + " UTC";
    if (lookup.found) {
        const std::string where = fixedDecimals(lookup.found->position.latitude, 7) + "," +
                                  fixedDecimals(lookup.found->position.longitude, 7);
        const std::string gap = fixedDecimals(double(lookup.found->gapMs) / 1000.0, 1);
        const std::string log = fileNameOf(lookup.found->source);
        const bool onFix = lookup.found->gapMs == 0;
        return Text{"投放位置" + where + "，取自导航日志" + log + "，" + when +
                        (onFix ? "（该时刻的定位）" : "（在相隔" + gap + "秒的两个定位间插值）"),
                    "cast position " + where + " from navigation log " + log + " at " + when +
                        (onFix ? " (a fix at that time)"
                               : " (interpolated between fixes " + gap + " s apart)")};
    }
    const std::string gap = fixedDecimals(double(lookup.gapMs) / 1000.0, 1);
    const std::string most = fixedDecimals(double(maximumGapMs) / 1000.0, 1);
    if (lookup.problem == NavLookupProblem::GapTooLong) {
        return Text{when + "前后的导航定位相隔" + gap + "秒，超过" + most + "秒：无投放位置",
                    "the navigation fixes around " + when + " are " + gap + " s apart, more than " +
                        most + " s: no cast position"};
    }
    return Text{"导航日志不包含" + when + "：无投放位置",
                "the navigation logs do not cover " + when + ": no cast position"};
}

std::string navPositionSource(const NavPosition& found) {
    return "interpolated from navigation log " + fileNameOf(found.source);
}

std::vector<std::string> sameRecordingLogs(const std::string& chosenUtf8Path) {
    std::vector<std::string> logs{chosenUtf8Path};
    const std::filesystem::path chosen = pathFromUtf8(chosenUtf8Path);
    const auto parts = dayNameParts(utf8OfPath(chosen.filename()));
    std::error_code error;
    if (!parts) {
        return logs;
    }
    const std::filesystem::path folder = chosen.has_parent_path() ? chosen.parent_path() : ".";
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = utf8OfPath(entry.path().filename());
        if (entry.path().filename() != chosen.filename() && dayNameParts(name) == parts) {
            logs.push_back(utf8OfPath(entry.path()));
        }
    }
    std::sort(logs.begin() + 1, logs.end());
    return logs;
}

}  // namespace quorvane
