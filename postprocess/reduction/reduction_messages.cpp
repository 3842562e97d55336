#include "postprocess/reduction/reduction_messages.h"

#include <algorithm>
#include <cstdint>

#include "common/strformat.h"

namespace quorvane {

std::optional<Message> fitStatusMessage(FitStatus status, const CastData& data) {
    const double shown = data.depthInterval;
    if (status == FitStatus::DepthRangeTooLarge) {
        return Message{
            BoxType::WarningOkCancel,
            {strformat("深度%g m至%g m的范围过大，无法按水深间隔%g m拟合。请检查数据列表中的深度。",
                       data.depthMin, data.depthMax, shown),
             strformat("The depths from %g m to %g m span too much to fit at a depth interval of "
                       "%g m. Please check the depths in the data list.",
                       data.depthMin, data.depthMax, shown)}};
    }
    if (status != FitStatus::BadDepthInterval) {
        return std::nullopt;
    }
    return Message{
        BoxType::WarningOkCancel,
        {strformat("水深间隔%g m无法用于拟合。请设置不小于0.1 m的水深间隔，然后点击“重置”。",
                   shown),
         strformat("The depth interval %g m cannot be used for fitting. Please set a depth "
                   "interval of at least 0.1 m and press Reset.",
                   shown)}};
}

std::optional<Message> averageMessage(const AverageResult& result) {
    switch (result.status) {
        case AverageStatus::NoFittedProfile:
        case AverageStatus::NoLayers:
            break;
        case AverageStatus::Computed: {
            const double maximumDepth = result.maximumDepth;
            const double velocity = result.averageVelocity;
            return Message{BoxType::YesNoQuestion,
                           {strformat("最大深度:%.2fm\n平均声速:%.2fm/s", maximumDepth, velocity),
                            strformat("Maximum depth:%.2fm\nAverage Sound Velocity:%.2fm/s",
                                      maximumDepth, velocity)}};
        }
        case AverageStatus::InvalidRow: {
            const int shown =
                static_cast<int>(std::min<size_t>(result.invalidRow + 1, size_t(INT32_MAX)));
            return Message{
                BoxType::WarningOkCancel,
                {strformat("数据列表第%d行的深度不是数字，或声速为零、负数或不是数字，无法计算平均"
                           "声速。请修改后重试。",
                           shown),
                 strformat("Row %d of the data list holds a depth that is not a number, or a sound "
                           "velocity that is zero, negative or not a number: the average sound "
                           "velocity cannot be computed. Correct it and try again.",
                           shown)}};
        }
        case AverageStatus::DepthsDoNotIncrease:
            return Message{BoxType::WarningOkCancel,
                           {"剖面的深度不是递增的，无法计算平均声速。",
                            "The depths of the profile do not increase: the average sound velocity "
                            "cannot be computed."}};
    }
    return std::nullopt;
}

}  // namespace quorvane
