#pragma once

#include "postprocess/export/export_choices.h"
#include "postprocess/session/session_state.h"

namespace quorvane {

// The three export buttons: the checks before the dialog, the dialog, the questions a format
// asks (adding to a file, the cast's time and position) and the write.
class ExportFlow {
  public:
    explicit ExportFlow(SessionState& state) : s_(state) {}

    void exportData(ExportKind kind, const ControlValues& values);

  private:
    SessionState& s_;
};

}  // namespace quorvane
