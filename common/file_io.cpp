#include "common/file_io.h"

namespace quorvane {

std::filesystem::path pathFromUtf8(const std::string& utf8Path) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8Path.data()), utf8Path.size()));
}

FileHandle openFile(const std::string& utf8Path, const char* mode) {
#if defined(_WIN32)
    const std::filesystem::path path = pathFromUtf8(utf8Path);
    std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return FileHandle(_wfopen(path.c_str(), wideMode.c_str()));
#else
    return FileHandle(std::fopen(utf8Path.c_str(), mode));
#endif
}

bool seekTo(std::FILE* file, int64_t offset, int origin) {
#if defined(_WIN32)
    return _fseeki64(file, offset, origin) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), origin) == 0;
#endif
}

int64_t tellPosition(std::FILE* file) {
#if defined(_WIN32)
    return _ftelli64(file);
#else
    return static_cast<int64_t>(ftello(file));
#endif
}

bool finishWriting(FileHandle file) {
    std::FILE* raw = file.release();
    bool ok = std::fflush(raw) == 0 && std::ferror(raw) == 0;
    ok = std::fclose(raw) == 0 && ok;
    return ok;
}

}  // namespace quorvane
