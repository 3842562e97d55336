#pragma once

#include "common/message.h"
#include "postprocess/export/export_choices.h"
#include "postprocess/export/export_failure.h"

namespace quorvane {

// The boxes the window shows and the command line prints for an export: one wording per
// outcome, so both say the same.

Message exportCheckMessage(ExportKind kind, ExportCheck check);

Message exportFailureMessage(const ExportFailure& failure);

}  // namespace quorvane
