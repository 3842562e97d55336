#include "simulator/cast_command.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "common/file_io.h"
#include "simulator/cast_generator.h"

namespace quorvane::sim {

namespace {

// Takes an option's value into the options; returns what is wrong with it, or nothing.
using Setter = const char* (*)(std::string_view value, CastOptions& options);

struct ValueOption {
    const char* name;
    Setter set;
};

// The limits are the instrument's own (density not below 0, depth interval not below 0.1 m,
// an eight-digit device ID) and the post-processing's deepest accepted depth.
const ValueOption kValueOptions[] = {
    {"--max-depth",
     [](std::string_view v, CastOptions& o) -> const char* {
         const auto d = parseNumber(v);
         if (!d || !(*d > 0.0 && *d <= kMaxCastDepth)) {
             return "--max-depth must be a depth in metres greater than 0 and at most 500";
         }
         o.maxDepth = *d;
         return nullptr;
     }},
    {"--seed",
     [](std::string_view v, CastOptions& o) -> const char* {
         const auto n = parseUnsigned(v);
         if (!n) {
             return "--seed must be a non-negative integer";
         }
         o.seed = *n;
         return nullptr;
     }},
    {"--device-id",
     [](std::string_view v, CastOptions& o) -> const char* {
         const auto n = parseInteger(v);
         if (!n || *n < 0 || *n > 99999999) {
             return "--device-id must be an integer of at most eight digits";
         }
         o.deviceId = static_cast<int32_t>(*n);
         return nullptr;
     }},
    {"--density",
     [](std::string_view v, CastOptions& o) -> const char* {
         const auto d = parseNumber(v);
         if (!d || !std::isfinite(*d) || *d < 0.0) {
             return "--density must be a number of g/cm3, not below 0";
         }
         o.density = static_cast<float>(*d);
         return nullptr;
     }},
    {"--latitude",
     [](std::string_view v, CastOptions& o) -> const char* {
         const auto d = parseNumber(v);
         if (!d || !std::isfinite(*d)) {
             return "--latitude must be a number of degrees";
         }
         o.latitude = static_cast<float>(*d);
         return nullptr;
     }},
    {"--interval",
     [](std::string_view v, CastOptions& o) -> const char* {
         const auto d = parseNumber(v);
         if (!d || !std::isfinite(*d) || *d < 0.1) {
             return "--interval must be a depth interval in metres, not below 0.1";
         }
         o.depthInterval = static_cast<float>(*d);
         return nullptr;
     }},
};

bool writeWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
    FileHandle file = openFile(path, "wb");
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    return finishWriting(std::move(file)) && written;
}

}  // namespace

int runCastCommand(const std::vector<std::string>& args) {
    CastOptions options;
    std::string out;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            std::printf("usage: quorvane-sim %s %s\n", kCastCommand.name, kCastCommand.usage);
            return 0;
        }
        if (arg == "--garbage") {
            options.garbage = true;
            continue;
        }
        if (arg.starts_with("-")) {
            const ValueOption* option = nullptr;
            for (const ValueOption& candidate : kValueOptions) {
                if (arg == candidate.name) {
                    option = &candidate;
                }
            }
            if (option == nullptr) {
                return usageError(kCastCommand, "unknown option " + arg);
            }
            if (++i == args.size()) {
                return usageError(kCastCommand, arg + " needs a value");
            }
            if (const char* problem = option->set(args[i], options)) {
                return usageError(kCastCommand, problem);
            }
            continue;
        }
        if (!out.empty()) {
            return usageError(kCastCommand, "only one output file, got " + out + " and " + arg);
        }
        out = arg;
    }
    if (out.empty()) {
        return usageError(kCastCommand, "the output file is missing");
    }

    const GeneratedCast cast = GenerateCastWithSummary(options);
    errno = 0;
    if (!writeWhole(out, cast.bytes)) {
        const char* reason = errno != 0 ? std::strerror(errno) : "write error";
        std::fprintf(stderr, "quorvane-sim cast: cannot write %s: %s\n", out.c_str(), reason);
        return kExitFailure;
    }
    std::printf("%s: %d records (%d at the surface), %zu bytes, max depth %.3f m%s\n", out.c_str(),
                cast.summary.records, cast.summary.surfaceRecords, cast.bytes.size(),
                cast.summary.maxDepth, options.garbage ? ", with garbage" : "");
    return 0;
}

}  // namespace quorvane::sim
