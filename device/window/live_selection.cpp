#include "device/window/live_selection.h"

namespace quorvane {

void LiveSelection::start(std::vector<FileRow> rows, std::vector<int> selected) {
    std::lock_guard lock(mutex_);
    rows_ = SelectedRows(std::move(rows), std::move(selected));
}

void LiveSelection::select(std::vector<int> selected) {
    std::lock_guard lock(mutex_);
    rows_.select(std::move(selected));
}

std::optional<int> LiveSelection::nextSelectedRow(int after) {
    std::lock_guard lock(mutex_);
    return rows_.nextSelectedRow(after);
}

FileRow LiveSelection::row(int position) {
    std::lock_guard lock(mutex_);
    return rows_.row(position);
}

}  // namespace quorvane
