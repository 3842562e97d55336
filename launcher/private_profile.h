#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace quorvane {

// One value of a profile (INI) file, read as the platform's own profile reader reads it, so that
// a Multi.lang written by hand for the original programs means the same here: section and key
// names match whatever their case, names and values are trimmed of blanks, a value enclosed in a
// pair of the same quotes loses them, and the result is cut to bufferSize - 1 bytes, the
// terminating zero taking the last place of the caller's buffer. The first matching key of the
// file wins. A missing file, section or key gives `defaultValue`, trimmed and cut (its quotes
// stay).
std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              size_t bufferSize);

}  // namespace quorvane
