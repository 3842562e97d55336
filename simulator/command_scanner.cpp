#include "simulator/command_scanner.h"

namespace quorvane::sim {
namespace {

constexpr std::string_view kStart = "$cmd,";
constexpr std::string_view kEnd = "*ff";
// The host's command buffer holds 1023 characters; anything longer is not a command.
constexpr size_t kLongestCommand = 1023;

}  // namespace

std::vector<std::string> CommandScanner::feed(std::string_view bytes) {
    pending_.append(bytes);
    std::vector<std::string> commands;
    size_t pos = 0;
    while (true) {
        const size_t start = pending_.find(kStart, pos);
        if (start == std::string::npos) {
            // Keep a tail that may be the beginning of a "$cmd," split across reads.
            const size_t keep = std::min(pending_.size() - pos, kStart.size() - 1);
            pending_.erase(0, pending_.size() - keep);
            return commands;
        }
        const size_t end = pending_.find(kEnd, start + kStart.size());
        // A fresh "$cmd," before the end marker means the earlier command was cut short.
        const size_t restart = pending_.find(kStart, start + 1);
        if (restart != std::string::npos && (end == std::string::npos || restart < end)) {
            pos = restart;
            continue;
        }
        if (end == std::string::npos) {
            pending_.erase(0, start);
            if (pending_.size() > kLongestCommand + kEnd.size()) {
                pending_.clear();
            }
            return commands;
        }
        commands.push_back(pending_.substr(start, end - start));
        pos = end + kEnd.size();
    }
}

}  // namespace quorvane::sim
