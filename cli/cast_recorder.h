#pragma once

#include <memory>
#include <string>

#include "cli/console_prompter.h"
#include "postprocess/pipeline/cast_record.h"

namespace quorvane::cli {

// The library of the working folder (Data/quorvane.sqlite), opened at the first record. A
// library that cannot be opened or written is said once on the console and the commands go on
// without it: a cast is never refused for its bookkeeping. Nothing in a build without SQLite.
std::unique_ptr<CastRecorder> workingFolderRecorder(ConsolePrompter& console);

// <current folder>/Data/quorvane.sqlite, absolute, so that a message names it wherever the
// user reads it. Only in a build with the library.
std::string workingFolderLibrary();

}  // namespace quorvane::cli
