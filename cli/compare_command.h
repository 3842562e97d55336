#pragma once

#include <string>
#include <vector>

namespace quorvane::cli {

// quorvane-cli compare NEW REFERENCE: where the soundings move if the reference profile is used
// instead of the new one, weighed against the survey order's TVU.
int runCompare(const std::vector<std::string>& words);
std::string compareUsage();

// quorvane-cli probe-check CAST --speed V --draft M: the hull probe against the cast.
int runProbeCheck(const std::vector<std::string>& words);
std::string probeCheckUsage();

}  // namespace quorvane::cli
