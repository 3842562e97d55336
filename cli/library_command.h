#pragma once

#include <string>
#include <vector>

namespace quorvane::cli {

// quorvane-cli library list|show|export|import: the casts processed in a working folder.
int runLibrary(const std::vector<std::string>& words);

std::string libraryUsage();

}  // namespace quorvane::cli
