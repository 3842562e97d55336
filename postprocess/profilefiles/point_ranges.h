#pragma once

#include "postprocess/rawcast/cast_data.h"

namespace quorvane {

// The six ranges from fittedProfile (what a loaded or edited profile shows); empty leaves them.
void UpdateFittedRanges(CastData& data);

// The four average ranges from averageProfile; empty leaves them.
void UpdateAverageRanges(CastData& data);

}  // namespace quorvane
