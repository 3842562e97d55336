#include "postprocess/pipeline/cast_record.h"

#include "common/strformat.h"

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

}  // namespace quorvane
