#include "device/operations/row_source.h"

#include <algorithm>

namespace quorvane {

SelectedRows::SelectedRows(std::vector<FileRow> rows, std::vector<int> selected)
    : rows_(std::move(rows)) {
    select(std::move(selected));
}

void SelectedRows::select(std::vector<int> selected) {
    selected_ = std::move(selected);
    std::sort(selected_.begin(), selected_.end());
    selected_.erase(std::unique(selected_.begin(), selected_.end()), selected_.end());
}

std::optional<int> SelectedRows::nextSelectedRow(int after) {
    const auto next = std::upper_bound(selected_.begin(), selected_.end(), after);
    if (next == selected_.end()) {
        return std::nullopt;
    }
    return *next;
}

FileRow SelectedRows::row(int position) {
    if (position < 0 || size_t(position) >= rows_.size()) {
        FileRow missing;
        missing.placeholder = true;
        return missing;
    }
    return rows_[size_t(position)];
}

std::vector<int> selectedPositions(RowSource& rows) {
    std::vector<int> positions;
    for (std::optional<int> r = rows.nextSelectedRow(-1); r; r = rows.nextSelectedRow(*r)) {
        if (!positions.empty() && *r <= positions.back()) {
            break;  // a source that does not move forward would never end
        }
        positions.push_back(*r);
    }
    return positions;
}

}  // namespace quorvane
