// quorvane-cli send against a simulated SIS on the loopback, as a surveyor runs it.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "cli/cli_fixture.h"
#include "simulator/cast_generator.h"
#include "simulator/fake_acquisition.h"

namespace quorvane {
namespace {

using SendCommandTest = test::CliTest<test::TempDirTest>;

TEST_F(SendCommandTest, ACastGoesToTheSonarsAndTheExitStatusSaysWhetherAllConfirmed) {
    sim::CastOptions cast;
    cast.maxDepth = 40;
    write("2026-12-07_101500_CAST0001.BIN", sim::generateCast(cast));
    const std::unique_ptr<DatagramNetwork> network = makeUdpNetwork();
    std::string problem;
    const auto freePort = [&] {
        return network->listen(0, problem, ListenScope::Loopback)->port();
    };
    const uint16_t receipts = freePort();
    struct Case {
        sim::AcquisitionFault fault;
        int status;
        const char* says;
    };
    for (const Case& c : {Case{sim::AcquisitionFault::None, 0, ": confirmed, the sonar uses the "},
                          Case{sim::AcquisitionFault::Shifted, 1,
                               ": not confirmed, the sonar's "
                               "profile differs by 0.3"}}) {
        sim::AcquisitionOptions options{TargetKind::Sis4};
        options.replyPort = receipts;
        options.fault = c.fault;
        sim::FakeAcquisition sonar(options, *network, problem);
        ASSERT_TRUE(sonar.listening()) << problem;
        std::atomic<bool> stop{false};
        std::thread serving([&] { sonar.serve([&] { return stop.load(); }, [](auto&) {}, 1); });
        // A Qinsy target beside it is sent to and needs no answer.
        const int status = runCli(
            "send 2026-12-07_101500_CAST0001.BIN --utc-offset 8 --wait 2"
            " --to sis4@127.0.0.1:" +
                std::to_string(sonar.port()) + " --to qinsy@127.0.0.1:" +
                std::to_string(freePort()) + " --listen " + std::to_string(receipts),
            dir_);
        stop = true;
        serving.join();
        EXPECT_EQ(status, c.status) << out() << err();
        EXPECT_NE(out().find(c.says), std::string::npos) << out();
        EXPECT_NE(out().find("qinsy@127.0.0.1:"), std::string::npos) << out();
    }
    EXPECT_EQ(runCli("send 2026-12-07_101500_CAST0001.BIN --to sis4@", dir_), 2);
    EXPECT_NE(err().find("--to must be KIND@HOST"), std::string::npos) << err();
}

}  // namespace
}  // namespace quorvane
