#pragma once

#include <string>
#include <vector>

namespace quorvane::cli {

// quorvane-cli nav record --udp PORT --out FILE: the ship's navigation into its log.
int runNav(const std::vector<std::string>& words);

std::string navUsage();

}  // namespace quorvane::cli
