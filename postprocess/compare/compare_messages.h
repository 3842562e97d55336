#pragma once

#include "common/message.h"
#include "postprocess/compare/probe_check.h"
#include "postprocess/compare/profile_comparison.h"

namespace quorvane {

// "Special Order", "特等".
Text surveyOrderName(SurveyOrder order);

// Why two profiles could not be compared, or the verdict: within a share of the order's TVU, or
// take a new cast.
Text comparisonVerdict(const ProfileComparison& comparison);

// The surface probe against the cast, or why it could not be checked.
Text probeCheckText(const ProbeCheck& check);

}  // namespace quorvane
