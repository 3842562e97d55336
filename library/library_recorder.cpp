#include "library/library_recorder.h"

#include <ctime>
#include <filesystem>

#include "common/file_io.h"
#include "common/path_names.h"
#include "library/sha256.h"

namespace quorvane {

LibraryRecorder::LibraryRecorder(std::string utf8Path, std::function<void(const Text&)> say,
                                 Text afterProblem)
    : path_(std::move(utf8Path)), say_(std::move(say)), afterProblem_(std::move(afterProblem)) {}

RecordOutcome LibraryRecorder::fail(const Text& problem) {
    failed_ = true;
    say_({problem.zh + afterProblem_.zh, problem.en + afterProblem_.en});
    return RecordOutcome::Failed;
}

bool LibraryRecorder::opened() {
    if (library_)
        return true;
    LibraryResult<CastLibrary> opened = CastLibrary::open(path_);
    if (!opened.ok()) {
        fail(opened.problem);
        return false;
    }
    auto casts = opened.value->list();
    if (!casts.ok()) {
        fail(casts.problem);
        return false;
    }
    for (const LibraryCast& cast : *casts.value) known_.insert(cast.record.contentSha256);
    library_ = std::move(opened.value);
    return true;
}

RecordOutcome LibraryRecorder::record(const ProcessedCast& cast,
                                      const std::vector<CastOutput>& outputs, bool replace) {
    if (failed_ || !opened())
        return RecordOutcome::Failed;
    // A cast that cannot be read again or has no time is this cast's problem, not the
    // library's: the next cast is still recorded.
    const std::optional<std::string> sha = fileSha256(cast.path);
    if (!sha || !cast.localTime) {
        say_({cast.path + "：无法读取文件或投放时间，未记入投放记录库",
              cast.path + ": the file or its cast time cannot be read; not recorded in "
                          "the cast library"});
        return RecordOutcome::Failed;
    }
    const bool known = known_.count(*sha) > 0;
    std::optional<int64_t> id;
    if (replace || !known) {
        std::error_code ignored;
        CastRecord record;
        record.contentSha256 = *sha;
        record.deviceId = cast.deviceId;
        record.fileName = fileNameOf(cast.path);
        record.filePath = utf8OfPath(std::filesystem::absolute(pathFromUtf8(cast.path), ignored));
        record.localTime = *cast.localTime;
        record.utcTime = cast.utcTime;
        record.position = cast.position;
        record.positionSource = cast.positionSource;
        record.recordCount = cast.recordCount;
        record.settings = cast.settings;
        record.profile = cast.profile;
        const LibraryResult<int64_t> recorded = library_->recordCast(record);
        if (!recorded.ok())
            return fail(recorded.problem);
        id = recorded.value;
        known_.insert(*sha);
    }
    const CastTime now = castTimeAt(int64_t(std::time(nullptr)));
    for (const CastOutput& output : outputs) {
        const CastExport entry{now, output.kind, output.target};
        const LibraryResult<int64_t> exported =
            id ? library_->recordExport(*id, entry) : library_->recordExport(*sha, entry);
        if (!exported.ok())
            return fail(exported.problem);
    }
    return known ? RecordOutcome::Updated : RecordOutcome::Recorded;
}

}  // namespace quorvane
