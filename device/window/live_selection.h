#pragma once

#include <mutex>
#include <vector>

#include "device/operations/row_source.h"

namespace quorvane {

// The file list as a running download sees it. The rows are a copy taken when the download
// starts, so every text the worker builds from a row (a status naming it, the file name) comes
// from that copy even if the list is emptied meanwhile; the selection follows the list control,
// so rows selected further down while the download runs are downloaded too. Written by the
// window thread, read by the worker, behind one lock.
class LiveSelection : public RowSource {
  public:
    // A download starts over these rows with this selection.
    void start(std::vector<FileRow> rows, std::vector<int> selected);
    // The list control's selection changed.
    void select(std::vector<int> selected);

    std::optional<int> nextSelectedRow(int after) override;
    FileRow row(int position) override;

  private:
    std::mutex mutex_;
    SelectedRows rows_{{}, {}};
};

}  // namespace quorvane
