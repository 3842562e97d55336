#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/console_prompter.h"
#include "postprocess/rawcast/cast_data.h"
#include "postprocess/rawcast/profile_point.h"
#include "postprocess/rawcast/raw_file.h"

namespace quorvane::cli {

// A raw cast as its reduction with the header's settings left it.
struct ReducedCast {
    CastData data;
    RawFileHeader header{};
};

// Whether the path names a profile file (.prf) rather than a raw cast.
bool isProfileFile(const std::string& path);

// The fitted profile of a raw cast or a .prf; nothing, with the reasons said, when there is none.
// For a raw cast that was read, `reduced` (when given) receives its reduction, so that a command
// can record the cast without reading it twice.
std::optional<std::vector<ProfilePoint>> fittedProfile(const std::string& path,
                                                       ConsolePrompter& console,
                                                       ReducedCast* reduced = nullptr);

}  // namespace quorvane::cli
