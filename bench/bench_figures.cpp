#include "bench/bench_figures.h"

#include <cstdio>

namespace quorvane::bench {

void FigureReporter::ReportRuns(const std::vector<Run>& runs) {
    benchmark::ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
            seconds_[run.benchmark_name()] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }
}

double FigureReporter::seconds(const std::string& name) const {
    const auto it = seconds_.find(name);
    return it == seconds_.end() ? 0.0 : it->second;
}

void printFigure(const char* name, double value, const char* format) {
    std::printf("figure: %s ", name);
    std::printf(format, value);
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace quorvane::bench
