#include "cli/cast_recorder.h"

#include "common/strformat.h"

#ifdef QUORVANE_CAST_LIBRARY
#include "cli/library_recorder.h"
#endif

namespace quorvane::cli {

ProcessedCast processedCast(const std::string& path, const RawFileHeader& header,
                            const CastData& data, bool averaged, std::optional<double> filter) {
    ProcessedCast cast;
    cast.path = path;
    cast.deviceId = header.deviceId();
    cast.recordCount = int64_t(data.rawRecords.size());
    std::string& s = cast.settings;
    s += strformat("density=%.3f\nlatitude=%.3f\ninterval=%.3f\n", double(data.density),
                   double(data.latitude), double(data.depthInterval));
    if (averaged)
        s += strformat("start-depth=%.2f\n", double(data.averageStartDepth));
    s += filter ? strformat("filter=%.3f\n", *filter) : std::string("filter=off\n");
    cast.profile = data.fittedProfile;
    return cast;
}

std::unique_ptr<CastRecorder> workingFolderRecorder([[maybe_unused]] ConsolePrompter& console) {
#ifdef QUORVANE_CAST_LIBRARY
    return std::make_unique<LibraryRecorder>(
        workingFolderLibrary(), console,
        Text{"。本次不再记录投放，处理照常进行。",
             ". The casts of this run are not recorded; processing goes on."});
#else
    return nullptr;
#endif
}

}  // namespace quorvane::cli
