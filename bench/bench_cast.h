#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <vector>

namespace quorvane::bench {

// A day-long yo-yo series: deep casts back to back until `records` records, written as one raw
// cast file of this name in the temporary folder. Returns its path.
std::string writeLongCastFile(const char* name, size_t records);

// The million-record cast every post-processing benchmark measures, written on first use under
// this program's own name; the caller removes it at the end.
const std::string& millionRecordCast(const char* programName);

// The baseline of the post-processing figures: the cast at `path` loaded and reduced, once per
// iteration.
void loadAndReduceEachIteration(benchmark::State& state, const std::string& path);

// Peak resident memory (MB) of this program run again with `arguments`; -1 when it fails.
double childPeakRssMegabytes(const char* self, const std::vector<const char*>& arguments);

}  // namespace quorvane::bench
