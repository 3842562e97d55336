#pragma once

#include <optional>
#include <span>

#include "postprocess/export/export_failure.h"
#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

// Why a profile must not go to an acquisition package, naming the data list's row (from 1):
// a value that is no finite number, or, when `depthsGoDown`, a depth above the row before it
// (an edited data list can hold either). Nothing when the profile may be written.
std::optional<ExportFailure> checkProfileValues(std::span<const ProfilePoint> points,
                                                bool depthsGoDown);

}  // namespace quorvane
