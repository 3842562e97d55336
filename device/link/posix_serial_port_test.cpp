#include "device/link/posix_serial_port.h"

#include <termios.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <functional>
#include <numeric>
#include <vector>

#include "device/link/testing/pty_pair.h"

namespace quorvane {
namespace {

// Input reaches the slave through the kernel's buffers a moment after the master writes it.
bool eventually(SerialPort& port, const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        port.waitForInput();
    }
    return true;
}

std::string readAll(SerialPort& port, size_t count) {
    std::string got;
    eventually(port, [&] {
        std::array<uint8_t, 1024> buffer{};
        const ReadResult r = port.readAvailable(buffer);
        got.append(buffer.begin(), buffer.begin() + std::ptrdiff_t(r.count));
        return !r.ok || got.size() >= count;
    });
    return got;
}

class PosixSerialPortTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(pty_.ok()); }
    PtyPair pty_;
};

TEST_F(PosixSerialPortTest, ConfiguresRaw921600EightNoneOneWithoutSoftwareFlowControl) {
    PosixSerialPort port;
    ASSERT_TRUE(port.open(pty_.slave()));
    termios tio{};
    // On the master side the terminal attributes are those of the slave.
    ASSERT_EQ(tcgetattr(pty_.master(), &tio), 0);
    EXPECT_EQ(cfgetispeed(&tio), speed_t(B921600));
    EXPECT_EQ(cfgetospeed(&tio), speed_t(B921600));
    EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB), 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 0);

    // A navigation receiver's port, opened at NMEA 0183's speed.
    PosixSerialPort gps(WriteTimeouts{}, 4800);
    port.close();
    ASSERT_TRUE(gps.open(pty_.slave()));
    ASSERT_EQ(tcgetattr(pty_.master(), &tio), 0);
    EXPECT_EQ(cfgetispeed(&tio), speed_t(B4800));
}

TEST_F(PosixSerialPortTest, EveryByteValuePassesUnchangedBothWays) {
    PosixSerialPort port;
    ASSERT_TRUE(port.open(pty_.slave()));
    std::string all(256, '\0');
    std::iota(all.begin(), all.end(), 0);  // CR, LF, XON, XOFF, ^C, NUL among them

    ASSERT_TRUE(pty_.send(all));
    EXPECT_EQ(readAll(port, all.size()), all);

    ASSERT_TRUE(port.writeText(all));
    EXPECT_EQ(pty_.receive(all.size()), all);
}

TEST_F(PosixSerialPortTest, ReadsReturnAtOnceTakeAtMost1023BytesAndPurgeDiscards) {
    PosixSerialPort port;
    ASSERT_TRUE(port.open(pty_.slave()));
    std::array<uint8_t, 4096> buffer{};
    ReadResult r = port.readAvailable(buffer);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.count, 0u);

    ASSERT_TRUE(pty_.send(std::string(1500, 'x')));
    ASSERT_TRUE(eventually(port, [&] { return port.inputQueued() == 1500; }));
    r = port.readAvailable(buffer);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.count, 1023u);
    EXPECT_EQ(port.inputQueued(), 1500u - 1023u);
    port.purge();
    EXPECT_EQ(port.inputQueued(), 0u);
    EXPECT_EQ(port.readAvailable(buffer).count, 0u);
}

TEST_F(PosixSerialPortTest, SecondOpenIsRefusedUntilTheFirstCloses) {
    PosixSerialPort first;
    PosixSerialPort second;
    ASSERT_TRUE(first.open(pty_.slave()));
    EXPECT_EQ(first.lastError(), "") << "every setting applies to a pseudo-terminal";
    EXPECT_FALSE(second.open(pty_.slave()));
    EXPECT_FALSE(second.isOpen());
    EXPECT_EQ(second.lastError(), "flock: Resource temporarily unavailable");
    first.close();
    EXPECT_TRUE(second.open(pty_.slave()));
    EXPECT_EQ(second.lastError(), "");
}

TEST_F(PosixSerialPortTest, FailuresKeepTheSystemsReason) {
    PosixSerialPort port;
    EXPECT_FALSE(port.open("/dev/quorvane-no-such-port"));
    EXPECT_EQ(port.lastError(), "No such file or directory");
    std::array<uint8_t, 16> buffer{};
    EXPECT_FALSE(port.readAvailable(buffer).ok);
    EXPECT_EQ(port.lastError(), "the port is not open");
    EXPECT_FALSE(port.purge());
}

TEST_F(PosixSerialPortTest, WriteGivesUpAfterItsBoundWhenThePeerNeverReads) {
    PosixSerialPort port(
        WriteTimeouts{std::chrono::milliseconds(0), std::chrono::milliseconds(100)});
    ASSERT_TRUE(port.open(pty_.slave()));
    EXPECT_FALSE(port.write(std::vector<uint8_t>(4 << 20, 'x')));
    EXPECT_EQ(port.lastError(), "the write did not finish within its time-out");
    EXPECT_TRUE(port.isOpen());
}

TEST_F(PosixSerialPortTest, VanishedPeerFailsReadsAndWrites) {
    PosixSerialPort port;
    ASSERT_TRUE(port.open(pty_.slave()));
    pty_.closeMaster();
    std::array<uint8_t, 1024> buffer{};
    EXPECT_FALSE(port.readAvailable(buffer).ok);
    EXPECT_EQ(port.lastError(), "the line hung up");
    EXPECT_FALSE(port.writeText("$cmd,get,voltage*ff"));
    EXPECT_EQ(port.lastError(), "Input/output error");
}

}  // namespace
}  // namespace quorvane
