#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/file_io.h"

namespace quorvane {

// Longest file-name component written: what common file systems take (NTFS, ext4: 255).
inline constexpr size_t kMaxComponentBytes = 255;

// A text the device sent (a file name, its ID) made usable as exactly one path component,
// unchanged when it already is one. Separators, control characters, the characters Windows
// refuses in names and bytes that are not UTF-8 become '_'; trailing dots and blanks become
// '_'; a name Windows reserves (CON, NUL, COM1, ... with or without an extension) gets a
// leading '_'; an empty text, "." and ".." become underscores; the result is cut to
// kMaxComponentBytes at a character boundary.
std::string safePathComponent(std::string_view text);

// The Date column as it goes into a file name: blanks become '_', ':' goes.
std::string dateTextForFileName(std::string_view dateColumn);

// "<date>_<name>" for attempt 0, "<date>(<n>)_<name>" for attempt n, made safe.
std::string outputFileName(std::string_view dateText, std::string_view reportedName, int attempt);

// <working folder>/Data/<device ID made safe>
std::filesystem::path deviceDataFolder(const std::filesystem::path& workingFolder,
                                       std::string_view deviceId);

// The name a file has while it is received and keeps when it was not received whole, so that
// nobody later takes it for the device's file: "_incomplete" before a short extension made of
// letters and digits ("CAST.BIN" -> "CAST_incomplete.BIN"), else at the end; cut like every name.
std::string incompleteFileName(std::string_view fileName);

struct OutputFile {
    FileHandle file;
    std::filesystem::path path;
};

// Creates the folder (and Data above it) when missing and a new file in it, under the
// incomplete name of the first numbering whose incomplete name is free. An existing file is
// never opened, so nothing on disk is replaced. Nothing when the folder or the file cannot be
// made.
std::optional<OutputFile> createOutputFile(const std::filesystem::path& folder,
                                           std::string_view dateText,
                                           std::string_view reportedName);

// Gives a file received whole the first free name of outputFileName's numbering, never
// replacing a file; the new path, or nothing when it could not be renamed.
std::optional<std::filesystem::path> keepWholeFile(const std::filesystem::path& received,
                                                   std::string_view dateText,
                                                   std::string_view reportedName);

}  // namespace quorvane
