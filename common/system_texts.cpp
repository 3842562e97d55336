#include "common/system_texts.h"

#include <cstdlib>

#if defined(_WIN32)
#include <windows.h>
// After windows.h: it declares CommandLineToArgvW.
#include <shellapi.h>
#endif

namespace quorvane {

#if defined(_WIN32)

std::wstring wideFromUtf8(std::string_view utf8) {
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(
        static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), size)));
    return wide;
}

std::string utf8FromWide(std::wstring_view wide) {
    const int size = static_cast<int>(wide.size());
    // A UTF-16 unit never needs more than three UTF-8 bytes.
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(
        static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(),
                                                static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

std::vector<std::string> commandLineArguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        arguments.push_back(utf8FromWide(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

std::optional<std::string> environmentVariable(const char* name) {
    const wchar_t* value = _wgetenv(wideFromUtf8(name).c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return utf8FromWide(value);
}

#else

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

std::optional<std::string> environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) {
        return std::nullopt;
    }
    return value;
}

#endif

}  // namespace quorvane
