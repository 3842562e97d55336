// quorvane-cli: the suite's cores without a window, for scripts and for the demo.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/device_command.h"
#include "cli/process_command.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
    std::string (*usage)();
};

const Command kCommands[] = {
    {"process", quorvane::cli::runProcess, quorvane::cli::processUsage},
    {"device", quorvane::cli::runDevice, [] { return std::string(quorvane::cli::kDeviceUsage); }},
};

void printUsage() {
    std::fprintf(stderr, "usage: quorvane-cli COMMAND ...\n");
    for (const Command& c : kCommands) std::fprintf(stderr, "\n%s", c.usage().c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage();
        return 2;
    }
    for (const Command& c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0) {
            return c.run(std::vector<std::string>(argv + 2, argv + argc));
        }
    }
    printUsage();
    return 2;
}
