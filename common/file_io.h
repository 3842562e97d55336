#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace quorvane {

struct FileCloser {
    void operator()(std::FILE* file) const {
        if (file != nullptr) {
            std::fclose(file);
        }
    }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// A UTF-8 path as the file system takes it: a plain std::string would be read in the local
// code page on Windows.
std::filesystem::path pathFromUtf8(const std::string& utf8Path);

// Opens a file by its UTF-8 path (wide API on Windows, so Chinese folder names work there too).
FileHandle openFile(const std::string& utf8Path, const char* mode);

// 64-bit seek and tell: casts larger than 2 GiB must not be misread.
bool seekTo(std::FILE* file, int64_t offset, int origin);
int64_t tellPosition(std::FILE* file);

// Flushes and closes, reporting any error the stream saw on the way: a full disk or an I/O
// error often shows only at the last flush or at close.
bool finishWriting(FileHandle file);

}  // namespace quorvane
