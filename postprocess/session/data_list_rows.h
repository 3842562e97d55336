#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/message.h"
#include "postprocess/rawcast/profile_point.h"

namespace quorvane {

// The rows of the window's data list: the values of the profile that filled it, shown with
// "%.3f", and the texts of the cells edited since. The list keeps its rows when a later load
// empties the profiles without filling it again, as the users know it, so it holds its own copy
// of the values; texts are made only for the rows on screen, never one object per cell.
class DataListRows {
  public:
    void clear();
    void fill(const std::vector<ProfilePoint>& points);
    void fill(const std::vector<AveragePoint>& points);  // the third column stays empty

    size_t rowCount() const { return values_.size(); }
    std::string text(size_t row, int column) const;
    void setText(size_t row, int column, std::string text);

    // Changes every time the rows are replaced, so that a view knows when to start over.
    uint64_t generation() const { return generation_; }

  private:
    void replaced();

    std::vector<std::array<double, 3>> values_;
    bool thirdColumn_ = true;
    std::map<std::pair<size_t, int>, std::string> editedTexts_;
    uint64_t generation_ = 0;
};

// What the in-place editor's text becomes in its cell: the leading number, as the standard
// library reads it (0 when there is none), with two decimals. Nothing for a text whose number
// is too large to have a value (a long run of digits): kCellValueRefused is shown instead.
std::optional<std::string> cellTextOf(const std::string& editorText);
extern const Message kCellValueRefused;

}  // namespace quorvane
