#include "postprocess/pipeline/cast_pipeline.h"

#include "postprocess/rawcast/raw_cast_messages.h"
#include "postprocess/reduction/reduction_messages.h"

namespace quorvane {

CastLoad LoadAndReduce(CastData& data, const std::string& path, const ReductionSettings& given) {
    CastLoad load{LoadRawFile(data, path)};
    if (!load.raw.scanned) {
        data.rawRecords.clear();
        return load;
    }
    data.density = given.density.value_or(data.density);
    data.latitude = given.latitude.value_or(data.latitude);
    data.depthInterval = given.depthInterval.value_or(data.depthInterval);
    load.fit = ReduceSamples(data);
    return load;
}

std::vector<Message> castLoadMessages(const CastLoad& load, const std::string& path,
                                      const CastData& data) {
    std::vector<Message> messages;
    for (const RawLoadProblem problem : load.raw.problems) {
        messages.push_back(rawLoadMessage(problem, path));
    }
    if (load.raw.scanned) {
        if (const auto fit = fitStatusMessage(load.fit, data)) {
            messages.push_back(*fit);
        }
    }
    return messages;
}

size_t exportPointCount(const CastData& data, ExportKind kind) {
    switch (kind) {
        case ExportKind::Raw:
            return data.rawProfile.size();
        case ExportKind::Fitting:
            return data.fittedProfile.size();
        case ExportKind::Average:
            break;
    }
    return data.averageProfile.size();
}

ExportResult ExportCast(const CastData& data, ExportKind kind, const std::string& chosenPath,
                        ExportOptions options) {
    if (kind == ExportKind::Average) {
        return exportAverage(data.averageProfile, data.averageStartDepth, chosenPath, options);
    }
    // The samples go down and up again: their depths may not be refused for turning back.
    options.samples = kind == ExportKind::Raw;
    return exportProfile(kind == ExportKind::Raw ? data.rawProfile : data.fittedProfile, chosenPath,
                         options);
}

}  // namespace quorvane
