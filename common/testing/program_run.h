#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/file_io.h"

#if defined(_WIN32)
#include "common/system_texts.h"
#else
#include <sys/wait.h>
#endif

namespace quorvane::test {

// Runs a built program through the system's shell in `folder`, with no input and its output
// in the files `out` and `err`. `arguments` is one UTF-8 text, quoted with double quotes where
// needed (both shells read those). Returns the exit code, -1 when the program did not exit.
inline int runProgram(const std::filesystem::path& program, const std::string& arguments,
                      const std::filesystem::path& folder, const std::filesystem::path& out,
                      const std::filesystem::path& err) {
    // Made absolute before the shell changes folder: under Wine the build's /... paths resolve
    // against the drive of the current folder.
    const auto quoted = [](const std::filesystem::path& path) {
        return "\"" + utf8OfPath(std::filesystem::absolute(path)) + "\"";
    };
#if defined(_WIN32)
    // cmd.exe strips one pair of outer quotes.
    const std::string command = "\"cd /d " + quoted(folder) + " && " + quoted(program) + " " +
                                arguments + " >" + quoted(out) + " 2>" + quoted(err) + " <NUL\"";
    return _wsystem(wideFromUtf8(command).c_str());
#else
    const std::string command = "cd " + quoted(folder) + " && " + quoted(program) + " " +
                                arguments + " >" + quoted(out) + " 2>" + quoted(err) +
                                " </dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

}  // namespace quorvane::test
