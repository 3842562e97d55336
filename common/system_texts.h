#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Every core keeps names and texts in UTF-8. Windows hands its programs the command line and
// the environment in the ANSI code page, which is not UTF-8 (GBK on a Chinese system), so there
// they are read as UTF-16 and converted; elsewhere they are passed through.

// The program's arguments after its own name.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// The value of an environment variable, or nothing when it is not set.
std::optional<std::string> environmentVariable(const char* name);

#if defined(_WIN32)
std::wstring wideFromUtf8(std::string_view utf8);
std::string utf8FromWide(std::wstring_view wide);
#endif

}  // namespace quorvane
