#include "cli/cast_recorder.h"

#include <filesystem>

#include "common/file_io.h"

#ifdef QUORVANE_CAST_LIBRARY
#include "library/library_recorder.h"
#endif

namespace quorvane::cli {

#ifdef QUORVANE_CAST_LIBRARY
std::string workingFolderLibrary() {
    std::error_code ignored;
    return defaultLibraryPath(utf8OfPath(std::filesystem::current_path(ignored)));
}
#endif

std::unique_ptr<CastRecorder> workingFolderRecorder([[maybe_unused]] ConsolePrompter& console) {
#ifdef QUORVANE_CAST_LIBRARY
    return std::make_unique<LibraryRecorder>(
        workingFolderLibrary(), [&console](const Text& text) { console.say(text); },
        Text{"。本次不再记录投放，处理照常进行。",
             ". The casts of this run are not recorded; processing goes on."});
#else
    return nullptr;
#endif
}

}  // namespace quorvane::cli
