#pragma once

#include <cstdio>

namespace quorvane::cli {

// Whether the stream is an interactive terminal (a person may answer or watch a line change).
bool isTerminal(std::FILE* stream);

// Messages are UTF-8: a Windows console shows them in its own code page unless told otherwise.
void showUtf8InConsole();

}  // namespace quorvane::cli
