#pragma once

#include <optional>

#include "common/message.h"
#include "postprocess/export/export_choices.h"
#include "postprocess/export/export_failure.h"
#include "postprocess/export/export_writer.h"

namespace quorvane {

// The boxes the window shows and the command line prints for an export: one wording per
// outcome, so both say the same.

Message exportCheckMessage(ExportKind kind, ExportCheck check);

Message exportFailureMessage(const ExportFailure& failure);

// A file was written, but `rows` of its salinity column hold 0: no sea water has their sound
// speed at their temperature. Nothing when every row has its salinity.
std::optional<Message> salinityWarning(const ExportResult& result);

}  // namespace quorvane
