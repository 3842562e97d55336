#include "cli/fitted_profile.h"

#include "common/path_names.h"
#include "postprocess/pipeline/cast_pipeline.h"
#include "postprocess/profilefiles/point_file.h"
#include "postprocess/profilefiles/point_file_messages.h"

namespace quorvane::cli {

bool isProfileFile(const std::string& path) {
    const std::string extension = extensionOf(path);
    return extension == "prf" || extension == "PRF";
}

std::optional<std::vector<ProfilePoint>> fittedProfile(const std::string& path,
                                                       ConsolePrompter& console,
                                                       ReducedCast* reduced) {
    if (isProfileFile(path)) {
        std::vector<ProfilePoint> points;
        const PointFileResult loaded = LoadProfileFile(path, points);
        if (!loaded.ok) {
            console.say(pointFileMessage(PointFileKind::Profile, *loaded.problem, path).text);
            return std::nullopt;
        }
        return points;
    }
    ReducedCast local;
    ReducedCast& cast = reduced != nullptr ? *reduced : local;
    const CastLoad load = LoadAndReduce(cast.data, path);
    for (const Message& m : castLoadMessages(load, path, cast.data)) console.say(m.text);
    cast.header = load.raw.header;
    if (!load.raw.scanned || cast.data.fittedProfile.empty()) {
        return std::nullopt;
    }
    return cast.data.fittedProfile;
}

}  // namespace quorvane::cli
