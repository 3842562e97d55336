#include "postprocess/pipeline/cast_record.h"

#include "common/strformat.h"
#include "postprocess/pipeline/cast_pipeline.h"
#include "postprocess/reduction/average_velocity.h"

namespace quorvane {

ProcessedCast processedCast(const std::string& path, int64_t deviceId, const CastData& data,
                            bool averaged, std::optional<double> filter) {
    ProcessedCast cast;
    cast.path = path;
    cast.deviceId = deviceId;
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

std::optional<ProcessedCast> castOnDisk(const std::string& path, std::vector<Message>& messages) {
    CastData data;
    const CastLoad load = LoadAndReduce(data, path);
    messages = castLoadMessages(load, path, data);
    if (!load.raw.scanned) {
        return std::nullopt;
    }
    const bool averaged =
        !data.fittedProfile.empty() &&
        ComputeAverageVelocity(data, defaultAverageStartDepth(data.depthMin)).status ==
            AverageStatus::Computed;
    ProcessedCast cast = processedCast(path, load.raw.header.deviceId(), data, averaged, {});
    cast.localTime = localCastTime(path);
    return cast;
}

}  // namespace quorvane
