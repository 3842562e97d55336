// quorvane-sim: stands in for the instrument where there is none.
#include <cstdio>
#include <string>
#include <vector>

#include "common/system_texts.h"
#include "simulator/acquisition_command.h"
#include "simulator/cast_command.h"
#include "simulator/nav_command.h"
#if defined(QUORVANE_SIM_SERVE)
#include "simulator/serve_command.h"
#endif

namespace {

using quorvane::sim::Subcommand;

const Subcommand kSubcommands[] = {
    quorvane::sim::kCastCommand,
    quorvane::sim::kAcquisitionCommand,
    quorvane::sim::kNavCommand,
#if defined(QUORVANE_SIM_SERVE)
    quorvane::sim::kServeCommand,
#endif
};

void printUsage(std::FILE* to) {
    std::fprintf(to, "usage:\n");
    for (const Subcommand& command : kSubcommands) {
        std::fprintf(to, "  quorvane-sim %s %s\n", command.name, command.usage);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = quorvane::commandLineArguments(argc, argv);
    if (args.empty()) {
        printUsage(stderr);
        return quorvane::sim::kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printUsage(stdout);
        return 0;
    }
    for (const Subcommand& command : kSubcommands) {
        if (args[0] == command.name) {
            return command.run({args.begin() + 1, args.end()});
        }
    }
    std::fprintf(stderr, "quorvane-sim: unknown subcommand %s\n", args[0].c_str());
    printUsage(stderr);
    return quorvane::sim::kExitUsage;
}
