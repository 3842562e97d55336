#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvane {

// The number at the start of `text` as the C library's atoi reads it: blanks, a sign, digits up
// to the first other character; no digits give 0. Beyond the range of int it stays at the
// nearest end of the range, as the platform's atoi does, so that a long run of digits never
// wraps round to zero.
int atoiValue(std::string_view text);

// The language choice: key bEnglish of section English in Multi.lang in `currentDirectory`,
// "0" when absent, read into a 40-character buffer; any number but zero is English.
bool englishFromMultiLang(const std::filesystem::path& currentDirectory);

// " V1.2.0": the low byte of each of the first three parts of the program's file version.
std::string titleVersionSuffix(int major, int minor, int patch);

}  // namespace quorvane
