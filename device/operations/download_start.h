#pragma once

#include "device/operations/device_session.h"
#include "device/operations/row_source.h"

namespace quorvane {

// Export file: after the guards, sets the busy flag and starts the download worker over the
// selection; returns at once. False when a guard refused.
bool OnExportFile(DeviceSession& session, RowSource& rows);

}  // namespace quorvane
