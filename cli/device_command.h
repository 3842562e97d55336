#pragma once

#include <string>
#include <vector>

namespace quorvane::cli {

// quorvane-cli device ... : the device program's operations without its window.
int runDevice(const std::vector<std::string>& words);

extern const char* const kDeviceUsage;

}  // namespace quorvane::cli
