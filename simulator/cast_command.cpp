#include "simulator/cast_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>

#include "common/file_io.h"
#include "common/parse_number.h"
#include "simulator/cast_generator.h"

namespace quorvane::sim {

namespace {

constexpr double kUnbounded = std::numeric_limits<double>::max();

// A finite number from `lowest` to `highest`; `aboveLowest` leaves out `lowest` itself.
std::optional<double> numberIn(std::string_view text, double lowest, double highest,
                               bool aboveLowest = false) {
    const auto d = parseNumber(text);
    if (!d || *d < lowest || (aboveLowest && *d == lowest) || *d > highest) {
        return std::nullopt;
    }
    return d;
}

template <typename From, typename To>
bool store(const std::optional<From>& value, To& to) {
    if (value) {
        to = static_cast<To>(*value);
    }
    return value.has_value();
}

struct ValueOption {
    const char* name;
    const char* rule;  // what the value must be, for the error
    bool (*take)(std::string_view value, CastOptions& options);
};

// The limits are the instrument's own (density not below 0, depth interval not below 0.1 m,
// an eight-digit device ID) and the post-processing's deepest accepted depth.
const ValueOption kValueOptions[] = {
    {"--max-depth", "a depth in metres greater than 0 and at most 500",
     [](std::string_view v, CastOptions& o) {
         return store(numberIn(v, 0.0, kMaxCastDepth, true), o.maxDepth);
     }},
    {"--seed", "a non-negative integer",
     [](std::string_view v, CastOptions& o) { return store(parseUnsigned(v), o.seed); }},
    {"--device-id", "an integer of at most eight digits",
     [](std::string_view v, CastOptions& o) {
         const auto n = parseInteger(v);
         return n && *n >= 0 && *n <= 99999999 && store(n, o.deviceId);
     }},
    {"--density", "a density in g/cm3, not below 0",
     [](std::string_view v, CastOptions& o) {
         return store(numberIn(v, 0.0, kUnbounded), o.density);
     }},
    {"--latitude", "a latitude in degrees",
     [](std::string_view v, CastOptions& o) {
         return store(numberIn(v, -kUnbounded, kUnbounded), o.latitude);
     }},
    {"--interval", "a depth interval in metres, not below 0.1",
     [](std::string_view v, CastOptions& o) {
         return store(numberIn(v, 0.1, kUnbounded), o.depthInterval);
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
            if (!option->take(args[i], options)) {
                return usageError(kCastCommand,
                                  arg + " must be " + option->rule + ", not " + args[i]);
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

    const GeneratedCast cast = generateCastWithSummary(options);
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
