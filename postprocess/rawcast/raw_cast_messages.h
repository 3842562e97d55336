#pragma once

#include <string>

#include "common/message.h"
#include "postprocess/rawcast/raw_file.h"

namespace quorvane {

// The boxes the window shows and the command line prints for a raw cast: one wording per
// problem, so both say the same.

Message rawLoadMessage(RawLoadProblem problem, const std::string& path);

// The refusal of a depth interval depthIntervalUsable() rejects.
Message depthIntervalMessage();

}  // namespace quorvane
