#include "simulator/cast_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "common/file_io.h"

namespace quorvane::sim {
namespace {

constexpr size_t kLongestCardName = 19;  // the host keeps names in a 20-byte buffer

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

}  // namespace

bool CastStore::isCardName(std::string_view name) {
    if (name.empty() || name.size() > kLongestCardName || name.front() == '.') {
        return false;
    }
    return name.find_first_of(std::string_view(",*/\r\n\0", 6)) == std::string_view::npos;
}

bool CastStore::prepare() const {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    return std::filesystem::is_directory(folder_, error);
}

bool CastStore::readable() const {
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder_.c_str()));
    return dir != nullptr;
}

std::vector<StoredCast> CastStore::list() const {
    std::vector<StoredCast> casts;
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder_.c_str()));
    if (!dir) {
        return casts;
    }
    while (const dirent* entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        struct stat info {};
        if (!isCardName(name) || stat(path(name).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            continue;
        }
        casts.push_back({name, static_cast<uint64_t>(info.st_size), info.st_mtime});
    }
    std::sort(casts.begin(), casts.end(),
              [](const StoredCast& a, const StoredCast& b) { return a.name < b.name; });
    return casts;
}

std::optional<std::string> CastStore::read(const std::string& name) const {
    FileHandle file = openFile(path(name), "rb");
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.append(buffer, got);
    }
    if (std::ferror(file.get())) {
        return std::nullopt;
    }
    return bytes;
}

bool CastStore::write(const std::string& name, std::string_view bytes, std::time_t modified) const {
    FileHandle file = openFile(path(name), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
        !finishWriting(std::move(file))) {
        return false;
    }
    const timespec times[2] = {{modified, 0}, {modified, 0}};
    return utimensat(AT_FDCWD, path(name).c_str(), times, 0) == 0;
}

bool CastStore::remove(const std::string& name) const {
    return ::unlink(path(name).c_str()) == 0;
}

}  // namespace quorvane::sim
