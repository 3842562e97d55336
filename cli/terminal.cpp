#include "cli/terminal.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace quorvane::cli {

bool isTerminal(std::FILE* stream) {
#if defined(_WIN32)
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

void showUtf8InConsole() {
#if defined(_WIN32)
    SetConsoleOutputCP(CP_UTF8);
#endif
}

}  // namespace quorvane::cli
