#pragma once

#include <string>
#include <vector>

namespace quorvane::sim {

inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// One subcommand of quorvane-sim: its name, its arguments as the usage text shows them, and
// what runs it with the arguments that follow the name.
struct Subcommand {
    const char* name;
    const char* usage;
    int (*run)(const std::vector<std::string>& args);
};

// Ctrl-C and SIGTERM end a long-running subcommand at its next look: after this, until one
// comes, terminationRequested() is false.
void stopOnTermination();
bool terminationRequested();

// Reports a bad command line with the subcommand's usage on stderr; returns kExitUsage.
int usageError(const Subcommand& command, const std::string& problem);

}  // namespace quorvane::sim
