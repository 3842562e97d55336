#pragma once

#include "common/message.h"
#include "device/operations/device_session.h"
#include "device/operations/row_source.h"

namespace quorvane {

// The two confirmations; destructive, so the command line asks them even without a terminal
// prompt for anything else.
extern const Message kDeleteFilesQuestion;
extern const Message kClearAllQuestion;

struct DeleteOutcome {
    bool ran = false;  // confirmed and every command written: the summary was shown
    int deleted = 0;   // confirmed by the device
    int failed = 0;
};

// Delete file: after the confirmation, one delete command per selected row from the highest
// position down (so the positions still to go keep their meaning), then the list and the
// memory figures are read again. Placeholder rows are never sent.
DeleteOutcome OnDeleteFiles(DeviceSession& session, RowSource& rows);

enum class ClearOutcome { Refused, Cancelled, LinkLost, Failed, Cleared };

// The visible clear button: the busy guard, then ClearAllFiles.
ClearOutcome OnClearMemory(DeviceSession& session);
// Erases every file after the confirmation; waits for the device without the silence rule, up
// to the channel's bound for a full erase.
ClearOutcome ClearAllFiles(DeviceSession& session);

}  // namespace quorvane
