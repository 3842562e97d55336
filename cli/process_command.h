#pragma once

#include <string>
#include <vector>

namespace quorvane::cli {

// quorvane-cli process CAST.bin... : every file the post-processing program writes, headless.
int runProcess(const std::vector<std::string>& words);

extern const char* const kProcessUsage;

}  // namespace quorvane::cli
