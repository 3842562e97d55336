#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

// Bytes in the well-formed UTF-8 sequence that starts at `at` (overlong forms, surrogates and
// code points above U+10FFFF refused), or 0.
size_t utf8SequenceLength(std::string_view text, size_t at);

// A text safe to print on a terminal: control characters (C0, DEL and C1, which can move the
// cursor, clear the screen or retitle the window) and bytes that are not UTF-8 each become
// '?'; everything else is kept. Texts the instrument sent go through this before printing.
std::string printableText(std::string_view text);

}  // namespace quorvane
