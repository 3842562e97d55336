#pragma once

#include <optional>

#include "common/message.h"
#include "postprocess/rawcast/cast_data.h"

namespace quorvane {

// The start depth the dialog offers: the shallowest fitted depth to two decimals, plus 1 cm.
float defaultAverageStartDepth(double depthMin);

enum class AverageStatus {
    NoFittedProfile,  // nothing to average: the command fails
    Computed,         // averageProfile rebuilt; `resultText` is shown
    NoLayers,         // averageProfile rebuilt (maybe empty); no travel time, nothing shown
    InvalidProfile,   // a velocity or depth the average cannot use; averageProfile empty
};

struct AverageResult {
    AverageStatus status = AverageStatus::NoFittedProfile;
    float averageVelocity = 0.0f;    // m/s, from the start depth to the deepest depth
    std::optional<Message> message;  // result box or failure report

    // The command succeeds (the average curve may be shown) unless there was nothing to do.
    bool succeeded() const {
        return status == AverageStatus::Computed || status == AverageStatus::NoLayers;
    }
};

// Rebuilds averageProfile from fittedProfile below `startDepth` (which becomes
// averageStartDepth): the time-weighted, harmonic mean velocity of linear-gradient layers.
AverageResult ComputeAverageVelocity(CastData& data, float startDepth);

// "Maximum depth:…" in both languages.
Text averageResultText(double maximumDepth, float averageVelocity);

}  // namespace quorvane
