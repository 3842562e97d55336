#pragma once

#include <string>
#include <vector>

namespace quorvane::cli {

// quorvane-cli process CAST.bin... : every file the post-processing program writes, headless.
int runProcess(const std::vector<std::string>& words);

std::string processUsage();

}  // namespace quorvane::cli
