#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/cast_recorder.h"
#include "cli/console_prompter.h"
#include "library/cast_library.h"

namespace quorvane::cli {

// <current folder>/Data/quorvane.sqlite, absolute, so that a message names it wherever the
// user reads it.
std::string workingFolderLibrary();

// Records into one library file, opened at the first record. The first problem is said once and
// ends the recording: a library that failed once would otherwise repeat itself for every cast.
class LibraryRecorder : public CastRecorder {
  public:
    // `afterProblem` follows the problem when it is said: what the command does without the
    // library.
    LibraryRecorder(std::string utf8Path, ConsolePrompter& console, Text afterProblem = {});

    bool failed() const { return failed_; }

    RecordOutcome record(const ProcessedCast& cast, const std::vector<CastOutput>& outputs,
                         bool replace) override;

  private:
    bool opened();
    RecordOutcome fail(const Text& problem);

    std::string path_;
    ConsolePrompter& console_;
    Text afterProblem_;
    std::optional<CastLibrary> library_;
    std::set<std::string> known_;  // the SHA-256 of every cast the library holds
    bool failed_ = false;
};

}  // namespace quorvane::cli
