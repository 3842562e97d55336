#pragma once

#include "postprocess/rawcast/cast_data.h"

namespace quorvane {

enum class FitStatus {
    Fitted,              // the grid ran (fittedProfile may still be empty)
    NothingToFit,        // no accepted samples, or no usable depth range
    BadDepthInterval,    // the grid would not advance or would be absurdly fine: no fit
    DepthRangeTooLarge,  // a usable interval, but edited depths span too many grid depths
};

// A grid finer than this comes from a mistyped interval or a mistyped depth, not a survey.
inline constexpr double kMaxFitGridPoints = 1e6;

// Rebuilds rawProfile and the six ranges from rawRecords with the current settings, then
// splits and fits. The caller fills its data list from rawProfile.
FitStatus ReduceSamples(CastData& data);

// Rebuilds downCast and upCast from rawProfile (split at the first deepest sample), then fits.
// Reads depthMin/depthMax: bring the ranges up to date before calling it after an edit.
FitStatus SplitCasts(CastData& data);

// Rebuilds fittedProfile on the grid depthMin, depthMin + depthInterval, … ≤ depthMax.
FitStatus FitProfile(CastData& data);

// Sets the six ranges from rawProfile; an empty profile leaves them.
void UpdateRawRanges(CastData& data);

}  // namespace quorvane
