#include "bench/bench_cast.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "common/raw_format.h"
#include "simulator/cast_generator.h"

namespace quorvane::bench {

std::string writeLongCastFile(const char* name, size_t records) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    const size_t total = kRawHeaderSize + records * kRawRecordSize;
    sim::CastOptions options;
    options.maxDepth = 480;
    std::vector<uint8_t> file;
    file.reserve(total);
    while (file.size() < total) {
        const std::vector<uint8_t> cast = sim::generateCast(options);
        const size_t from = file.empty() ? 0 : kRawHeaderSize;
        const size_t room = total - file.size();
        file.insert(file.end(), cast.begin() + from,
                    cast.begin() + from + std::min(room, cast.size() - from));
        ++options.seed;
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    return path;
}

}  // namespace quorvane::bench
