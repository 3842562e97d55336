#include "device/operations/download_start.h"

#include "device/operations/command_guards.h"

namespace quorvane {

bool OnExportFile(DeviceSession& session, RowSource& rows) {
    if (!passesCommandGuards(session)) {
        return false;
    }
    session.busy() = true;
    session.startDownload(rows);
    return true;
}

}  // namespace quorvane
