#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace quorvane {

struct FileCloser {
    void operator()(std::FILE* file) const {
        if (file != nullptr) {
            std::fclose(file);
        }
    }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Names and folders are UTF-8 text everywhere in the cores. A std::filesystem::path built from
// a plain std::string (and its string()) uses the ANSI code page on Windows, which garbles
// Chinese names: every path passes through these two instead.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8OfPath(const std::filesystem::path& path);

// Opens a file by its UTF-8 path (wide API on Windows, so Chinese folder names work there too).
FileHandle openFile(const std::string& utf8Path, const char* mode);

// Creates a file that must not exist yet, for binary writing; empty when it exists or cannot be
// made. Done with the system's own exclusive create: the C runtime Windows programs may link
// (msvcrt) does not know fopen's "x".
FileHandle createNewFile(const std::string& utf8Path);

// Renames a file unless `to` exists: std::filesystem::rename replaces it. False when the
// name is taken or the rename fails.
bool renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// 64-bit seek and tell: casts larger than 2 GiB must not be misread.
bool seekTo(std::FILE* file, int64_t offset, int origin);
int64_t tellPosition(std::FILE* file);

// Flushes and closes, reporting any error the stream saw on the way: a full disk or an I/O
// error often shows only at the last flush or at close.
bool finishWriting(FileHandle file);

}  // namespace quorvane
