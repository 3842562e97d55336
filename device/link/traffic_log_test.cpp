#include "device/link/traffic_log.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <optional>
#include <regex>

#include "common/testing/scoped_environment.h"
#include "common/testing/temp_dir_test.h"
#include "device/link/serial_port_factory.h"
#include "device/link/testing/fake_port.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using test::slurp;

class TrafficLog : public test::TempDirTest {};

TEST_F(TrafficLog, RecordsOpenWritesNonEmptyReadsPurgesAndClose) {
    const fs::path path = dir_ / "traffic.log";
    auto fake = std::make_unique<FakePort>();
    FakePort& inner = *fake;
    {
        TrafficLogPort port(std::move(fake), utf8OfPath(path));
        inner.refuseOpen("COM6");
        inner.setFailureReason("Access is denied.");
        EXPECT_FALSE(port.open("COM6"));
        EXPECT_EQ(port.lastError(), "Access is denied.");
        inner.setFailureReason("Input/output error");
        ASSERT_TRUE(port.open("COM7"));
        ASSERT_TRUE(port.writeText("$cmd,get,voltage*ff"));
        inner.failNextWrites();
        EXPECT_FALSE(port.writeText("$"));
        std::array<uint8_t, 1024> buffer{};
        EXPECT_EQ(port.readAvailable(buffer).count, 0u);  // nothing: not logged
        inner.deliver(std::string("OK\0\xff", 4));
        EXPECT_EQ(port.readAvailable(buffer).count, 4u);
        inner.failReadAt();
        EXPECT_FALSE(port.readAvailable(buffer).ok);
        inner.failNextPurge();
        EXPECT_FALSE(port.purge());
        EXPECT_TRUE(port.purge());
        port.close();
    }
    const std::string log = slurp(path);

    const std::string stamp = R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} )";
    const std::regex expected(
        stamp + "open COM6 failed: Access is denied\\.\n" + stamp + "open COM7 ok\n" + stamp +
        "write 19 bytes ok\n" +
        R"(  0000  24 63 6d 64 2c 67 65 74 2c 76 6f 6c 74 61 67 65  \$cmd,get,voltage\n)"
        R"(  0010  2a 66 66 {40} \*ff\n)" +
        stamp + "write 1 bytes failed: Input/output error\n" + R"(  0000  24 {46} \$\n)" + stamp +
        "read 4 bytes\n" + R"(  0000  4f 4b 00 ff {37} OK\.\.\n)" + stamp +
        "read failed: Input/output error\n" + stamp + "purge failed: Input/output error\n" + stamp +
        "purge\n" + stamp + "close\n");
    EXPECT_TRUE(std::regex_match(log, expected)) << log;
}

TEST_F(TrafficLog, SystemPortIsLoggedOnlyWhenTheVariableNamesAFile) {
    for (const std::optional<std::string>& unset : {std::optional<std::string>(), {""}}) {
        const test::ScopedEnvironment variable(kSerialLogVariable, unset);
        EXPECT_EQ(dynamic_cast<TrafficLogPort*>(makeSystemSerialPort().get()), nullptr);
    }
    // A Chinese name: the variable and the path must both stay UTF-8 on their way.
    const fs::path path = dir_ / u8"通信.log";
    {
        // The port keeps the log open until it goes, and Windows deletes no open file.
        std::unique_ptr<SerialPort> port;
        {
            const test::ScopedEnvironment variable(kSerialLogVariable, utf8OfPath(path));
            port = makeSystemSerialPort();
        }
        EXPECT_NE(dynamic_cast<TrafficLogPort*>(port.get()), nullptr);
        EXPECT_FALSE(port->open("quorvane-no-such-port"));
    }
    const std::string log = slurp(path);
    const std::string failed = "open quorvane-no-such-port failed: ";
    const size_t at = log.find(failed);
    ASSERT_NE(at, std::string::npos) << log;
    // The system's reason follows; its words differ from system to system.
    EXPECT_NE(log[at + failed.size()], '\n') << log;
}

}  // namespace
}  // namespace quorvane
