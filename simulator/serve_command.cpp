#include "simulator/serve_command.h"

#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <functional>
#include <map>

#include "common/parse_number.h"
#include "simulator/virtual_profiler.h"

namespace quorvane::sim {
namespace {

const char* kServeHelp =
    "Opens a pseudo-terminal that behaves as the profiler's serial port, prints its path on\n"
    "stdout (one line, again after each simulated hang-up) and serves until SIGINT/SIGTERM.\n"
    "  --storage DIR     folder of raw cast files, the instrument's card (default: a\n"
    "                    temporary folder removed at exit); kept across runs\n"
    "  --casts N         casts generated into an empty card (default 5)\n"
    "  --seed N          seed of the generated casts (default 1)\n"
    "  --device-id ID    sent as given in the sysinfo reply (default 12345678)\n"
    "  --firmware V      firmware version text (default V1.2.0)\n"
    "  --voltage V       battery voltage in volts (default 12.6; below 11 flags low voltage)\n"
    "  --capacity-kb N   card capacity in KB (default 7716864)\n"
    "  --baud N          line speed the replies are paced at, 10 bits a byte\n"
    "                    (default 921600; 0 = unpaced)\n"
    "  --link PATH       symbolic link to the live port, removed at exit\n"
    "  --delete-ms N     time to erase one file (default 150)\n"
    "  --clear-ms N      time to erase the whole card (default 3000)\n"
    "  --announce-size T the file-info frame gives T as every file's size (any text\n"
    "                    without , or *: too large, negative, not a number)\n";

using Setter = std::function<const char*(std::string_view)>;

template <typename T>
Setter number(std::optional<T> (*parse)(std::string_view), T low, T high, T& into,
              const char* problem) {
    return [=, &into](std::string_view text) -> const char* {
        const std::optional<T> value = parse(text);
        if (!value || !(*value >= low && *value <= high)) {
            return problem;
        }
        into = *value;
        return nullptr;
    };
}

Setter text(std::string& into, const char* problem) {
    return [&into, problem](std::string_view value) -> const char* {
        if (value.empty() || value.find_first_of(",*\r\n") != std::string_view::npos) {
            return problem;
        }
        into = value;
        return nullptr;
    };
}

struct ServeSettings {
    ProfilerOptions options;
    int64_t casts = 5;
    int64_t baud = 921600;
    int64_t deleteMs = 150;
    int64_t clearMs = 3000;
};

std::map<std::string, Setter> setters(ServeSettings& s) {
    ProfilerOptions& o = s.options;
    return {
        {"--storage", text(o.storageDir, "--storage needs a folder")},
        {"--casts", number(&parseInteger, int64_t{0}, int64_t{1000}, s.casts,
                           "--casts must be a count from 0 to 1000")},
        {"--seed", number(&parseUnsigned, uint64_t{0}, UINT64_MAX, o.castSeed,
                          "--seed must be a non-negative integer")},
        {"--device-id", text(o.device.deviceId, "--device-id must be text without , or *")},
        {"--firmware", text(o.device.firmware, "--firmware must be text without , or *")},
        {"--voltage", number(&parseNumber, 0.0, 99.9, o.device.voltage,
                             "--voltage must be volts from 0 to 99.9")},
        {"--capacity-kb",
         number(&parseUnsigned, uint64_t{1}, uint64_t{1} << 40, o.device.capacityKb,
                "--capacity-kb must be a positive number of KB")},
        {"--baud", number(&parseInteger, int64_t{0}, int64_t{100000000}, s.baud,
                          "--baud must be a line speed in bits per second, or 0")},
        {"--link", text(o.linkPath, "--link needs a path")},
        {"--delete-ms", number(&parseInteger, int64_t{0}, int64_t{60000}, s.deleteMs,
                               "--delete-ms must be milliseconds from 0 to 60000")},
        {"--clear-ms", number(&parseInteger, int64_t{0}, int64_t{600000}, s.clearMs,
                              "--clear-ms must be milliseconds from 0 to 600000")},
        {"--announce-size",
         text(o.device.announcedSize, "--announce-size must be text without , or *")},
        {"--fault-seed", number(&parseUnsigned, uint64_t{0}, UINT64_MAX, o.faultSeed,
                                "--fault-seed must be a non-negative integer")},
    };
}

// Blocks SIGINT and SIGTERM in this thread (and so in the profiler's, started later) and
// waits for either: no handler runs inside the profiler's system calls.
int waitForTermination() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    int received = 0;
    sigwait(&signals, &received);
    return received;
}

void blockTermination() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

}  // namespace

int runServeCommand(const std::vector<std::string>& args) {
    ServeSettings settings;
    const std::map<std::string, Setter> table = setters(settings);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            std::printf("usage: quorvane-sim %s %s\n%s%s", kServeCommand.name, kServeCommand.usage,
                        kServeHelp, faultUsage());
            return 0;
        }
        const auto setter = table.find(arg);
        if (setter == table.end() && arg != "--fault") {
            return usageError(kServeCommand, "unknown option " + arg);
        }
        if (++i == args.size()) {
            return usageError(kServeCommand, arg + " needs a value");
        }
        if (arg == "--fault") {
            FaultParse fault = parseFaultRule(args[i]);
            if (!fault.rule) {
                return usageError(kServeCommand, fault.error);
            }
            settings.options.faults.push_back(*fault.rule);
        } else if (const char* problem = setter->second(args[i])) {
            return usageError(kServeCommand, problem);
        }
    }
    ProfilerOptions& options = settings.options;
    options.casts = static_cast<int>(settings.casts);
    options.baud = static_cast<int>(settings.baud);
    options.device.deleteMs = static_cast<int>(settings.deleteMs);
    options.device.clearMs = static_cast<int>(settings.clearMs);

    blockTermination();
    VirtualProfiler profiler(options);
    profiler.setPortListener([](const std::string& path) {
        std::printf("%s\n", path.c_str());
        std::fflush(stdout);
    });
    std::string error;
    if (!profiler.start(&error)) {
        std::fprintf(stderr, "quorvane-sim serve: %s\n", error.c_str());
        return kExitFailure;
    }
    std::fprintf(stderr, "quorvane-sim serve: card %s, %d baud; Ctrl-C ends\n",
                 profiler.storageFolder().c_str(), options.baud);
    const int signal = waitForTermination();
    profiler.stop();
    const ProfilerCounters c = profiler.counters();
    std::fprintf(stderr,
                 "quorvane-sim serve: signal %d; %llu commands, %llu data frames (%llu repeats), "
                 "%llu faults, %llu bytes sent, %llu hang-ups\n",
                 signal, static_cast<unsigned long long>(c.commandsSeen),
                 static_cast<unsigned long long>(c.framesSent),
                 static_cast<unsigned long long>(c.repeatsServed),
                 static_cast<unsigned long long>(c.faultsInjected),
                 static_cast<unsigned long long>(c.bytesSent),
                 static_cast<unsigned long long>(c.hangups));
    return 0;
}

}  // namespace quorvane::sim
