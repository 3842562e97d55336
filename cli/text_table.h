#pragma once

#include <string>
#include <vector>

namespace quorvane::cli {

// Rows laid out in columns for a terminal, each column as wide as its widest cell. A Chinese
// character takes two columns there, so widths are counted on the screen, not in bytes.
// `rightAligned[i]` for the columns of numbers; the last column is never padded at its end.
std::string tableText(const std::vector<std::vector<std::string>>& rows,
                      const std::vector<bool>& rightAligned);

}  // namespace quorvane::cli
