#include "device/link/port_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/testing/scoped_environment.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace quorvane {
namespace {

namespace fs = std::filesystem;

#if !defined(_WIN32)
// The ttys of a sysfs tree built per test.
class PortListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("quorvane_ports_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override { fs::remove_all(root_); }

    void tty(const std::string& name, bool withDriver) {
        fs::create_directories(root_ / name / "device");
        if (withDriver) {
            fs::create_directories(root_ / name / "device" / "driver");
        }
    }

    fs::path root_;
};

TEST_F(PortListTest, DriverBackedTtysInNaturalOrderThenExtraPorts) {
    for (const char* name : {"ttyS10", "ttyUSB0", "ttyS2", "ttyACM1", "ttyS0"}) {
        tty(name, true);
    }
    tty("ttyS3", false);                     // registered, no driver bound
    fs::create_directories(root_ / "tty0");  // a virtual console: no device at all
    fs::create_directories(root_ / "ptmx");

    std::vector<std::string> ports{"stale entry"};
    EXPECT_EQ(enumerateTtyPorts(ports, root_, "/dev", "/tmp/a::/dev/ttyS2:/tmp/b:"), 1);
    EXPECT_EQ(ports, (std::vector<std::string>{"/dev/ttyACM1", "/dev/ttyS0", "/dev/ttyS2",
                                               "/dev/ttyS10", "/dev/ttyUSB0", "/tmp/a", "/tmp/b"}));
}

TEST_F(PortListTest, AnEmptySystemListIsAListAMissingOneOnlyWithExtraPorts) {
    std::vector<std::string> ports;
    EXPECT_EQ(enumerateTtyPorts(ports, root_, "/dev", ""), 1);
    EXPECT_TRUE(ports.empty());
    EXPECT_EQ(enumerateTtyPorts(ports, root_ / "missing", "/dev", "::"), -1);
    EXPECT_EQ(enumerateTtyPorts(ports, root_ / "missing", "/dev", "/dev/pts/7"), 1);
    EXPECT_EQ(ports, std::vector<std::string>{"/dev/pts/7"});
}

TEST_F(PortListTest, AtMost256NamesAreTaken) {
    for (int i = 0; i < 260; ++i) {
        tty("ttyUSB" + std::to_string(i), true);
    }
    std::vector<std::string> ports;
    EXPECT_EQ(enumerateTtyPorts(ports, root_, "/dev", "/tmp/extra"), 1);
    ASSERT_EQ(ports.size(), kMaxPorts);
    EXPECT_EQ(ports.front(), "/dev/ttyUSB0");
    EXPECT_EQ(ports.back(), "/dev/ttyUSB255");
}
#endif

TEST(PortList, SystemListingAppendsTheEnvironmentsExtraPorts) {
    std::vector<std::string> ports;
    {
        const test::ScopedEnvironment variable(kExtraPortsVariable, "/quorvane/one:/quorvane/two");
        EXPECT_EQ(EnumerateSerialPorts(ports), 1);
    }
    ASSERT_GE(ports.size(), 2u);
    EXPECT_EQ(ports[ports.size() - 2], "/quorvane/one");
    EXPECT_EQ(ports.back(), "/quorvane/two");
}

TEST(PortList, NaturalOrder) {
    struct Case {
        const char* a;
        const char* b;
        bool less;
    };
    const Case cases[] = {
        {"ttyS2", "ttyS10", true},
        {"ttyS10", "ttyS2", false},
        {"ttyACM0", "ttyS0", true},
        {"ttyS", "ttyS0", true},
        {"ttyS01", "ttyS1", true},
        {"ttyS1", "ttyS01", false},
        {"a99999999999999999999", "a100000000000000000000", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(naturalLess(c.a, c.b), c.less) << c.a << " < " << c.b;
    }
}

}  // namespace
}  // namespace quorvane
