#pragma once

#include <cstddef>

#include "postprocess/rawcast/cast_data.h"

namespace quorvane {

// The start depth the dialog offers: the shallowest fitted depth to two decimals, plus 1 cm.
float defaultAverageStartDepth(double depthMin);

enum class AverageStatus {
    NoFittedProfile,  // nothing to average: the command fails
    Computed,         // averageProfile rebuilt; `resultText` is shown
    NoLayers,         // averageProfile rebuilt (maybe empty); no travel time, nothing shown
    // Refusals; the average, its ranges and its start depth stay as they were.
    InvalidRow,           // a depth or velocity the average cannot use, in `invalidRow`
    DepthsDoNotIncrease,  // the travel time does not grow with depth
};

struct AverageResult {
    AverageStatus status = AverageStatus::NoFittedProfile;
    float averageVelocity = 0.0f;  // m/s, from the start depth to the deepest depth
    double maximumDepth = 0.0;     // of the new average table
    size_t invalidRow = 0;         // index into fittedProfile

    // The command succeeds (the average curve may be shown) unless there was nothing to do.
    bool succeeded() const {
        return status == AverageStatus::Computed || status == AverageStatus::NoLayers;
    }
};

// Rebuilds averageProfile from fittedProfile below `startDepth` (which becomes
// averageStartDepth): the time-weighted, harmonic mean velocity of linear-gradient layers.
AverageResult ComputeAverageVelocity(CastData& data, float startDepth);

}  // namespace quorvane
