#include "simulator/subcommand.h"

#include <atomic>
#include <csignal>
#include <cstdio>

namespace quorvane::sim {

namespace {

std::atomic<bool> terminating{false};

extern "C" void requestTermination(int) {
    terminating = true;
}

}  // namespace

void stopOnTermination() {
    std::signal(SIGINT, requestTermination);
    std::signal(SIGTERM, requestTermination);
}

bool terminationRequested() {
    return terminating;
}

int usageError(const Subcommand& command, const std::string& problem) {
    std::fprintf(stderr, "quorvane-sim %s: %s\nusage: quorvane-sim %s %s\n", command.name,
                 problem.c_str(), command.name, command.usage);
    return kExitUsage;
}

}  // namespace quorvane::sim
