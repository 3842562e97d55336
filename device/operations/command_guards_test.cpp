#include "device/operations/command_guards.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "device/operations/delete_files.h"
#include "device/operations/device_file_list.h"
#include "device/operations/device_settings.h"
#include "device/operations/download_start.h"
#include "device/operations/testing/session_rig.h"

namespace quorvane {
namespace {

using Strings = std::vector<std::string>;

// Every device button but Connect refuses while a download runs, and then while no device is
// connected, before it asks, shows or sends anything else.
TEST(CommandGuards, EveryButtonRefusesWhileBusyThenWhileDisconnected) {
    SelectedRows one({FileRow{"0", "A", "1", "2014-03-05 10:20:30"}}, {0});
    const std::pair<const char*, std::function<void(DeviceSession&)>> buttons[] = {
        {"file list", [](DeviceSession& s) { OnFileList(s); }},
        {"delete", [&](DeviceSession& s) { OnDeleteFiles(s, one); }},
        {"clear", [](DeviceSession& s) { OnClearMemory(s); }},
        {"set",
         [](DeviceSession& s) {
             OnSetParameters(s, {1.0, 30.0, 0.5});
         }},
        {"read time", [](DeviceSession& s) { OnReadTime(s); }},
        {"export", [&](DeviceSession& s) { OnExportFile(s, one); }},
    };
    for (const auto& [name, press] : buttons) {
        SessionRig busy;  // and not connected: the busy box comes first, and alone
        busy.session.busy() = true;
        press(busy.session);
        EXPECT_EQ(busy.shown.events,
                  Strings{"box49: The data processing is running, please try again later!"})
            << name;
        SessionRig idle;
        press(idle.session);
        EXPECT_EQ(idle.shown.events, Strings{"box49: The device is not connected!"}) << name;
        EXPECT_TRUE(busy.port.events().empty() && idle.port.events().empty()) << name;
    }
}

}  // namespace
}  // namespace quorvane
