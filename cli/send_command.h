#pragma once

#include <string>
#include <vector>

namespace quorvane::cli {

// quorvane-cli send CAST.bin|PROFILE.prf --to KIND@HOST... : the fitted profile to the
// acquisition systems, confirmed where the sonar can confirm.
int runSend(const std::vector<std::string>& words);

std::string sendUsage();

}  // namespace quorvane::cli
