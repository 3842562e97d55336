#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "device/link/posix_serial_port.h"
#include "device/link/system_clock.h"
#include "device/link/testing/pty_pair.h"
#include "device/protocol/command_channel.h"
#include "device/protocol/testing/recording_notifier.h"

namespace quorvane {
namespace {

// The whole stack on a real terminal line: the command's bytes go out unchanged and a reply
// that comes in pieces is put together.
TEST(PtyExchange, VoltageRoundTrip) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    PosixSerialPort port;
    ASSERT_TRUE(port.open(pty.slave()));
    SystemClock clock;
    RecordingNotifier shown;
    CommandChannel channel(port, clock, shown, shown);

    std::string request;
    std::thread device([&] {
        request = pty.receive(19);
        const std::string reply = "$cmd,get,voltage,12.5*ff\r\n";
        pty.send(reply.substr(0, 10));
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        pty.send(reply.substr(10));
    });
    const std::optional<std::string> reply = channel.exchange(kVoltageReply);
    device.join();
    EXPECT_EQ(request, "$cmd,get,voltage*ff");
    EXPECT_EQ(reply, "$cmd,get,voltage,12.5*ff\r\n");
    EXPECT_TRUE(shown.events.empty());
}

}  // namespace
}  // namespace quorvane
