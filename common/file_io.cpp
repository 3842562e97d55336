#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#endif

#include "common/system_texts.h"

namespace quorvane {

std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size());
}

std::string utf8OfPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return {reinterpret_cast<const char*>(utf8.data()), utf8.size()};
}

FileHandle openFile(const std::string& utf8Path, const char* mode) {
#if defined(_WIN32)
    return FileHandle(_wfopen(pathFromUtf8(utf8Path).c_str(), wideFromUtf8(mode).c_str()));
#else
    return FileHandle(std::fopen(utf8Path.c_str(), mode));
#endif
}

FileHandle createNewFile(const std::string& utf8Path) {
#if defined(_WIN32)
    const int fd = _wopen(pathFromUtf8(utf8Path).c_str(),
                          _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    std::FILE* file = fd < 0 ? nullptr : _fdopen(fd, "wb");
    if (fd >= 0 && file == nullptr) {
        _close(fd);
    }
#else
    const int fd = ::open(utf8Path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    std::FILE* file = fd < 0 ? nullptr : fdopen(fd, "wb");
    if (fd >= 0 && file == nullptr) {
        ::close(fd);
    }
#endif
    return FileHandle(file);
}

bool renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
#if defined(_WIN32)
    // Without MOVEFILE_REPLACE_EXISTING the move fails on an existing name.
    return MoveFileExW(from.c_str(), to.c_str(), 0) != 0;
#else
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // A file system without the no-replace rename: a second link fails on an existing name.
    return ::link(from.c_str(), to.c_str()) == 0 && ::unlink(from.c_str()) == 0;
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
