#pragma once

#include <filesystem>
#include <string>

#include "common/testing/program_run.h"
#include "common/testing/temp_dir_test.h"

namespace quorvane::test {

// Runs the built quorvane-cli with what it printed kept in the test's folder; `Fixture` is the
// folder fixture the test needs (a plain folder, or one with a virtual profiler).
template <class Fixture>
class CliTest : public Fixture {
  protected:
    // Returns the tool's exit status.
    int runCli(const std::string& arguments, const std::filesystem::path& folder) {
        return runProgram(QUORVANE_CLI_PATH, arguments, folder, this->dir_ / "out.txt",
                          this->dir_ / "err.txt");
    }
    std::string out() const { return slurp(this->dir_ / "out.txt"); }
    std::string err() const { return slurp(this->dir_ / "err.txt"); }
};

}  // namespace quorvane::test
