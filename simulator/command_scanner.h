#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::sim {

// Cuts commands out of the byte stream from the host. The host sends bare command texts
// with no line end, so a command is whatever lies between "$cmd," and the next "*ff";
// bytes outside such a pair (line ends typed at a terminal, noise) are dropped.
class CommandScanner {
  public:
    // Returns the complete commands found so far, each without its "*ff" ("$cmd,get,voltage").
    std::vector<std::string> feed(std::string_view bytes);
    void reset() { pending_.clear(); }

  private:
    std::string pending_;
};

}  // namespace quorvane::sim
