#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace quorvane::bench {

// Console output as usual, plus each run's mean real time per iteration (seconds), so that a
// benchmark can print ratios against a baseline measured in the same run.
class FigureReporter : public benchmark::ConsoleReporter {
  public:
    // No colours: scripts read the lines that follow, and an escape sequence left open by the
    // table would stand in front of them.
    FigureReporter() : benchmark::ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override;
    double seconds(const std::string& name) const;

  private:
    std::map<std::string, double> seconds_;
};

// The machine-readable last lines: "figure: <name> <value>".
void printFigure(const char* name, double value, const char* format = "%.2f");

}  // namespace quorvane::bench
