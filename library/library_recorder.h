#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include <functional>

#include "common/message.h"
#include "library/cast_library.h"
#include "postprocess/pipeline/cast_record.h"

namespace quorvane {

// Records into one library file, opened at the first record. The first problem is said once and
// ends the recording: a library that failed once would otherwise repeat itself for every cast.
class LibraryRecorder : public CastRecorder {
  public:
    // `say` tells the user (a console line, a box); `afterProblem` follows the problem when it is
    // said: what the program does without the library.
    LibraryRecorder(std::string utf8Path, std::function<void(const Text&)> say,
                    Text afterProblem = {});

    bool failed() const { return failed_; }

    RecordOutcome record(const ProcessedCast& cast, const std::vector<CastOutput>& outputs,
                         bool replace) override;

  private:
    bool opened();
    RecordOutcome fail(const Text& problem);

    std::string path_;
    std::function<void(const Text&)> say_;
    Text afterProblem_;
    std::optional<CastLibrary> library_;
    std::set<std::string> known_;  // the SHA-256 of every cast the library holds
    bool failed_ = false;
};

}  // namespace quorvane
