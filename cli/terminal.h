#pragma once

#include <cstdio>

namespace quorvane::cli {

// Whether the stream is an interactive terminal (a person may answer or watch a line change).
bool isTerminal(std::FILE* stream);

}  // namespace quorvane::cli
