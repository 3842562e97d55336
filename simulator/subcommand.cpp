#include "simulator/subcommand.h"

#include <cstdio>

namespace quorvane::sim {

int usageError(const Subcommand& command, const std::string& problem) {
    std::fprintf(stderr, "quorvane-sim %s: %s\nusage: quorvane-sim %s %s\n", command.name,
                 problem.c_str(), command.name, command.usage);
    return kExitUsage;
}

}  // namespace quorvane::sim
