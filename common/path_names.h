#pragma once

#include <string>

namespace quorvane {

// The parts of a file's path as the programs name files after each other. Both folder
// separators count, so a Windows path read on another system gives the same names.

// After the last folder separator.
std::string fileNameOf(const std::string& path);

// The file name without what follows its last ".": the default name of saves and exports.
std::string baseNameOf(const std::string& path);

// What follows the file name's last ".", without it; empty when the name has no ".".
std::string extensionOf(const std::string& path);

// A file name (without folder) up to its first "."; empty for a name without one, which then
// matches no cast's base name.
std::string nameBeforeFirstDot(const std::string& name);

}  // namespace quorvane
