// quorvane-soak: many downloads from the virtual profiler under seeded random faults, each
// checked byte by byte against the card.
//   quorvane-soak [--runs N] [--seed S] [--limit SECONDS] [--keep FOLDER]
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "common/parse_number.h"
#include "soak/soak_run.h"

namespace quorvane::soak {
namespace {

namespace fs = std::filesystem;

struct Settings {
    uint64_t runs = 200;
    uint64_t seed = 1;
    uint64_t limitSeconds = 120;
    std::string keep;  // failing runs' folders are copied here
};

bool parse(int argc, char** argv, Settings& settings) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const auto number = parseUnsigned(argv[i + 1]);
        if (name == "--keep") {
            settings.keep = argv[i + 1];
        } else if (name == "--runs" && number && *number > 0) {
            settings.runs = *number;
        } else if (name == "--seed" && number) {
            settings.seed = *number;
        } else if (name == "--limit" && number && *number > 0) {
            settings.limitSeconds = *number;
        } else {
            return false;
        }
    }
    return argc % 2 == 1;
}

std::string joined(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& text : texts) {
        out += (out.empty() ? "" : ", ") + text;
    }
    return out.empty() ? "none" : out;
}

// The machine-readable last lines, as the benchmarks print them.
void printFigure(const char* name, double value, const char* format) {
    std::printf("figure: %s ", name);
    std::printf(format, value);
    std::printf("\n");
}

int soak(const Settings& settings) {
    const fs::path scratch =
        fs::temp_directory_path() / ("quorvane-soak-" + std::to_string(::getpid()));
    Watchdog watchdog(std::chrono::seconds(30));
    int recoverableFiles = 0;
    int recoverableIntact = 0;
    int hung = 0;
    int violations = 0;
    for (uint64_t i = 0; i < settings.runs; ++i) {
        const SoakPlan plan = planRun(settings.seed + i);
        const fs::path folder = scratch / ("run-" + std::to_string(plan.seed));
        const RunResult result =
            runOnce(plan, folder, std::chrono::seconds(settings.limitSeconds), watchdog);
        hung += result.hung ? 1 : 0;
        violations += int(result.violations.size());
        if (plan.recoverable) {
            recoverableFiles += result.files;
            recoverableIntact += result.intact;
        }
        const bool failed = result.hung || !result.violations.empty() ||
                            (plan.recoverable && result.intact != result.files);
        std::printf("run %llu %s: %d/%d intact; faults %s; %s%s%s\n",
                    static_cast<unsigned long long>(plan.seed), failed ? "FAILED" : "ok",
                    result.intact, result.files, joined(plan.faults).c_str(),
                    joined(result.notes).c_str(), result.violations.empty() ? "" : "; VIOLATIONS: ",
                    result.violations.empty() ? "" : joined(result.violations).c_str());
        std::fflush(stdout);
        if (failed && !settings.keep.empty()) {
            std::error_code ignored;
            fs::create_directories(settings.keep, ignored);
            fs::copy(folder, fs::path(settings.keep) / folder.filename(),
                     fs::copy_options::recursive, ignored);
        }
        fs::remove_all(folder);
    }
    fs::remove_all(scratch);
    const double intact =
        recoverableFiles == 0 ? 1.0 : double(recoverableIntact) / double(recoverableFiles);
    std::printf("%llu runs, %d files under recoverable faults, %d intact, %d violations\n",
                static_cast<unsigned long long>(settings.runs), recoverableFiles, recoverableIntact,
                violations);
    printFigure("soak_downloads_intact", intact, "%.3f");
    printFigure("soak_runs_hung", hung, "%.0f");
    return violations == 0 && hung == 0 && recoverableIntact == recoverableFiles ? 0 : 1;
}

}  // namespace
}  // namespace quorvane::soak

int main(int argc, char** argv) {
    quorvane::soak::Settings settings;
    if (!quorvane::soak::parse(argc, argv, settings)) {
        std::fprintf(stderr,
                     "usage: quorvane-soak [--runs N] [--seed S] [--limit SECONDS] "
                     "[--keep FOLDER]\n");
        return 2;
    }
    return quorvane::soak::soak(settings);
}
