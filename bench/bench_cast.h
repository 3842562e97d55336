#pragma once

#include <cstddef>
#include <string>

namespace quorvane::bench {

// A day-long yo-yo series: deep casts back to back until `records` records, written as one raw
// cast file of this name in the temporary folder. Returns its path.
std::string writeLongCastFile(const char* name, size_t records);

}  // namespace quorvane::bench
