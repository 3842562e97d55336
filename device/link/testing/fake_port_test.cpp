#include "device/link/testing/fake_port.h"

#include <gtest/gtest.h>

#include <array>

namespace quorvane {
namespace {

std::string readOnce(SerialPort& port) {
    std::array<uint8_t, 2048> buffer{};
    const ReadResult r = port.readAvailable(buffer);
    return r.ok ? std::string(buffer.begin(), buffer.begin() + std::ptrdiff_t(r.count))
                : "<failed>";
}

// The protocol tests lean on these rules of the fake; a fake that broke them would let those
// tests pass for the wrong reason.
TEST(FakePort, DeliversChunksOnTimeAndWaitingAdvancesTheClock) {
    FakeClock clock;
    FakePort port(&clock);
    ASSERT_TRUE(port.open("COM1"));
    port.deliver("late", 5);
    port.deliver(std::string(1500, 'x'));
    EXPECT_EQ(readOnce(port), "");
    for (int i = 0; i < 3; ++i) {
        port.waitForInput();
    }
    EXPECT_EQ(clock.nowMs(), 3);
    port.waitForInput();
    port.waitForInput();
    EXPECT_EQ(clock.nowMs(), 5);
    port.waitForInput();  // input is there: no more waiting
    EXPECT_EQ(clock.nowMs(), 5);
    EXPECT_EQ(port.inputQueued(), 4u + 1500u);
    EXPECT_EQ(readOnce(port), "late");
    EXPECT_EQ(readOnce(port).size(), SerialPort::kMaxRead);
    EXPECT_EQ(readOnce(port).size(), 1500 - SerialPort::kMaxRead);
}

TEST(FakePort, PurgeDropsArrivedInputButNotTheFutureOrABreak) {
    FakeClock clock;
    FakePort port(&clock);
    ASSERT_TRUE(port.open("COM1"));
    port.deliver("old");
    port.failReadAt();
    port.deliver("new", 10);
    port.purge();
    EXPECT_EQ(readOnce(port), "<failed>");
    clock.advanceMs(10);
    EXPECT_EQ(readOnce(port), "new");
}

TEST(FakePort, RecordsTrafficAndFailsOnRequest) {
    FakePort port;
    EXPECT_FALSE(port.writeText("closed"));
    port.refuseOpen("COM3");
    EXPECT_FALSE(port.open("COM3"));
    ASSERT_TRUE(port.open("COM4"));
    port.onWrite = [&](const std::string& text) { port.deliver(text + "!"); };
    ASSERT_TRUE(port.writeText("ping"));
    EXPECT_EQ(readOnce(port), "ping!");
    port.failNextWrites(1);
    EXPECT_FALSE(port.writeText("lost"));
    EXPECT_TRUE(port.writeText("again"));
    port.purge();
    port.close();
    EXPECT_EQ(port.events(),
              (std::vector<std::string>{"write closed failed", "open COM3 failed", "open COM4",
                                        "write ping", "write lost failed", "write again", "purge",
                                        "close"}));
    EXPECT_EQ(port.writes(), (std::vector<std::string>{"ping", "again"}));
    EXPECT_EQ(readOnce(port), "<failed>");
}

}  // namespace
}  // namespace quorvane
