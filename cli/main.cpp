// quorvane-cli: the suite's cores without a window, for scripts and for the demo.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/compare_command.h"
#include "cli/device_command.h"
#include "cli/nav_command.h"
#include "cli/process_command.h"
#include "cli/send_command.h"
#include "cli/terminal.h"
#include "common/system_texts.h"

#ifdef QUORVANE_CAST_LIBRARY
#include "cli/library_command.h"
#endif

namespace {

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
    std::string (*usage)();
};

const Command kCommands[] = {
    {"process", quorvane::cli::runProcess, quorvane::cli::processUsage},
    {"device", quorvane::cli::runDevice, [] { return std::string(quorvane::cli::kDeviceUsage); }},
    {"send", quorvane::cli::runSend, quorvane::cli::sendUsage},
    {"nav", quorvane::cli::runNav, quorvane::cli::navUsage},
#ifdef QUORVANE_CAST_LIBRARY
    {"library", quorvane::cli::runLibrary, quorvane::cli::libraryUsage},
#endif
    {"compare", quorvane::cli::runCompare, quorvane::cli::compareUsage},
    {"probe-check", quorvane::cli::runProbeCheck, quorvane::cli::probeCheckUsage},
};

void printUsage() {
    std::fprintf(stderr, "usage: quorvane-cli COMMAND ...\n");
    for (const Command& c : kCommands) std::fprintf(stderr, "\n%s", c.usage().c_str());
}

}  // namespace

int main(int argc, char** argv) {
    quorvane::cli::showUtf8InConsole();
    const std::vector<std::string> args = quorvane::commandLineArguments(argc, argv);
    if (args.empty()) {
        printUsage();
        return 2;
    }
    for (const Command& c : kCommands) {
        if (args[0] == c.name) {
            return c.run({args.begin() + 1, args.end()});
        }
    }
    printUsage();
    return 2;
}
