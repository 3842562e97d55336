#pragma once

#include <cstddef>
#include <string>

#include "postprocess/session/session_state.h"

namespace quorvane {

// Edits of the shown data: a cell of the data list, and the setting edits with their check
// boxes and the Reset that reduces the cast again with them.
class DataEdits {
  public:
    explicit DataEdits(SessionState& state) : s_(state) {}

    // The in-place editor committed `editorText` into a cell.
    void commitCell(size_t row, int column, const std::string& editorText);

    void enableSettings(const ControlValues& values);
    void filterCheck(const ControlValues& values);
    void resetSettings(const ControlValues& values);

  private:
    void storeCellValue(size_t row, int column, double value);

    SessionState& s_;
};

}  // namespace quorvane
