#pragma once

#include <optional>

#include "common/message.h"
#include "postprocess/rawcast/cast_data.h"
#include "postprocess/reduction/average_velocity.h"
#include "postprocess/reduction/cast_reduction.h"

namespace quorvane {

// The boxes the window shows and the command line prints for the reduction, fit and average:
// one wording per outcome, so both say the same.

// For a fit that could not run, naming the interval or the depth range of `data` that stopped
// it; nothing for a fit that ran.
std::optional<Message> fitStatusMessage(FitStatus status, const CastData& data);

// The result box of a computed average or the refusal; nothing when there is nothing to say.
std::optional<Message> averageMessage(const AverageResult& result);

}  // namespace quorvane
