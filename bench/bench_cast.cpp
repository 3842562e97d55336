#include "bench/bench_cast.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "common/raw_format.h"
#include "postprocess/rawcast/raw_file.h"
#include "postprocess/reduction/cast_reduction.h"
#include "simulator/cast_generator.h"

extern char** environ;

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

const std::string& millionRecordCast(const char* programName) {
    static const std::string path =
        writeLongCastFile((std::string(programName) + "-1M.bin").c_str(), 1000000);
    return path;
}

void loadAndReduceEachIteration(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        CastData data;
        LoadRawFile(data, path);
        ReduceSamples(data);
        benchmark::DoNotOptimize(data.fittedProfile.data());
    }
}

double childPeakRssMegabytes(const char* self, const std::vector<const char*>& arguments) {
    std::vector<char*> argv{const_cast<char*>(self)};
    for (const char* argument : arguments) {
        argv.push_back(const_cast<char*>(argument));
    }
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    int status = 0;
    struct rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status)) {
        return -1;
    }
    return double(usage.ru_maxrss) / 1024.0;
}

}  // namespace quorvane::bench
