#include "simulator/command_scanner.h"

#include <gtest/gtest.h>

namespace quorvane::sim {
namespace {

TEST(CommandScanner, CutsCommandsOutOfTheStream) {
    struct Case {
        std::vector<std::string> pieces;
        std::vector<std::string> commands;
    };
    const std::vector<Case> cases = {
        {{"$cmd,get,voltage*ff"}, {"$cmd,get,voltage"}},
        {{"$cmd,get,voltage*ff$cmd,get,space*ff"}, {"$cmd,get,voltage", "$cmd,get,space"}},
        {{"$cmd,get,voltage*ff\r\n"}, {"$cmd,get,voltage"}},
        {{"noise\r\n$cm", "d,get,vol", "tage*", "ff"}, {"$cmd,get,voltage"}},
        {{"$cmd,get,depth", "$cmd,get,workstate*ff"}, {"$cmd,get,workstate"}},
        {{"$cmd,get,voltage"}, {}},
        {{"get,voltage*ff"}, {}},
        {{std::string(5000, 'x'), "$cmd,get,sysinfo*ff"}, {"$cmd,get,sysinfo"}},
        {{"$cmd," + std::string(2000, 'x'), "*ff$cmd,get,sysinfo*ff"}, {"$cmd,get,sysinfo"}},
    };
    for (const Case& c : cases) {
        CommandScanner scanner;
        std::vector<std::string> found;
        for (const std::string& piece : c.pieces) {
            for (std::string& command : scanner.feed(piece)) {
                found.push_back(std::move(command));
            }
        }
        EXPECT_EQ(found, c.commands) << c.pieces.front().substr(0, 40);
    }
}

}  // namespace
}  // namespace quorvane::sim
