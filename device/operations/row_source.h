#pragma once

#include <optional>
#include <vector>

#include "device/operations/file_row.h"

namespace quorvane {

// The file list as the download and the deletion see it: which rows are selected and what a
// row says at the moment it is asked. The window serves it from its list control (on its own
// thread, for the download worker); the command line and tests from a fixed copy.
class RowSource {
  public:
    virtual ~RowSource() = default;

    // The first selected row after `after` (-1: from the start), in list order.
    virtual std::optional<int> nextSelectedRow(int after) = 0;
    // The row's texts now; a position the list does not hold reads as a placeholder.
    virtual FileRow row(int position) = 0;
};

// A fixed copy of the rows and a selection, safe to read from any thread.
class SelectedRows : public RowSource {
  public:
    SelectedRows(std::vector<FileRow> rows, std::vector<int> selected);
    // Keeps the rows, replaces the selection.
    void select(std::vector<int> selected);

    std::optional<int> nextSelectedRow(int after) override;
    FileRow row(int position) override;

  private:
    std::vector<FileRow> rows_;
    std::vector<int> selected_;  // ascending, without repeats
};

// Every position of the selection, ascending.
std::vector<int> selectedPositions(RowSource& rows);

}  // namespace quorvane
