// The sender against the simulated acquisition system over real UDP on the loopback.
#include "simulator/fake_acquisition.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "send/profile_sender.h"

namespace quorvane::sim {
namespace {

const std::vector<ProfilePoint> kFitted{{0.5, 1531.6, 24.0},
                                        {1.0, 1531.5, 24.0},
                                        {20.0, 1531.8, 23.9},
                                        {40.0, 1522.0, 19.5},
                                        {60.0, 1508.3, 15.2}};

// A port nobody listens on now: the system's pick, given back.
uint16_t freePort(DatagramNetwork& network) {
    std::string problem;
    return network.listen(0, problem, ListenScope::Loopback)->port();
}

struct Exchange {
    SendReport report;
    std::vector<std::string> verdicts;
};

// One profile to a simulated sonar of `kind` with `fault`, as the user's target `kindName`.
Exchange sendTo(const char* kindName, TargetKind kind, AcquisitionFault fault, int waitMs) {
    const std::unique_ptr<DatagramNetwork> network = makeUdpNetwork();
    AcquisitionOptions options{kind};
    options.replyPort = freePort(*network);
    options.fault = fault;
    options.lateMs = waitMs + 500;
    std::string problem;
    FakeAcquisition sonar(options, *network, problem);
    EXPECT_TRUE(sonar.listening()) << problem;
    Exchange exchange;
    // A target that confirms nothing is done once sent: the sonar gets a while to read it.
    std::atomic<bool> done{false};
    const auto stop = [&, until = std::chrono::steady_clock::time_point::max()]() mutable {
        if (done && until == std::chrono::steady_clock::time_point::max()) {
            until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        }
        return std::chrono::steady_clock::now() > until;
    };
    std::thread serving([&] {
        sonar.serve(
            stop, [&](const std::string& verdict) { exchange.verdicts.push_back(verdict); }, 1);
    });
    AcquisitionTarget target =
        *parseTarget(std::string(kindName) + "@127.0.0.1:" + std::to_string(sonar.port()));
    target.listenPort = options.replyPort;
    const std::unique_ptr<DatagramNetwork> ours = makeUdpNetwork();
    const std::vector<SendReport> reports = sendProfile(
        {{target}, kFitted, CastTime{2026, 12, 7, 12, 0, 0}, std::nullopt, waitMs}, *ours,
        [] { return false; }, [](const SendReport&) {});
    done = true;
    serving.join();
    exchange.report = reports.at(0);
    return exchange;
}

TEST(FakeAcquisitionTest, EachAnswerOfTheSonarGivesItsOwnResult) {
    struct Case {
        const char* kindName;
        TargetKind kind;
        AcquisitionFault fault;
        SendOutcome outcome;
        const char* verdict;
    };
    const Case cases[] = {
        {"sis4", TargetKind::Sis4, AcquisitionFault::None, SendOutcome::Confirmed,
         "took 7 points, answered"},
        {"sis5", TargetKind::Sis5, AcquisitionFault::None, SendOutcome::Confirmed,
         "took 7 points, answered"},
        {"sis5", TargetKind::Sis5, AcquisitionFault::Shifted, SendOutcome::NotConfirmed,
         "took 7 points, answered"},
        {"sis4", TargetKind::Sis4, AcquisitionFault::Silent, SendOutcome::NoAnswer,
         "took 7 points, answered nothing"},
        {"sis4", TargetKind::Sis4, AcquisitionFault::Garbage, SendOutcome::NoAnswer,
         "took 7 points, answered"},
        {"sis4", TargetKind::Sis4, AcquisitionFault::Late, SendOutcome::NoAnswer,
         "took 7 points, answered"},
        // Qinsy's profile has no 12000 m point, which SIS refuses.
        {"qinsy", TargetKind::Sis4, AcquisitionFault::None, SendOutcome::Sent,
         "refused: no 12000 m point"},
    };
    for (const Case& c : cases) {
        const Exchange exchange = sendTo(c.kindName, c.kind, c.fault, 800);
        EXPECT_EQ(exchange.report.outcome, c.outcome) << c.kindName << " " << int(c.fault);
        ASSERT_EQ(exchange.verdicts.size(), 1u) << c.kindName << " " << int(c.fault);
        EXPECT_EQ(exchange.verdicts[0], c.verdict);
        if (c.fault == AcquisitionFault::Shifted) {
            EXPECT_NEAR(exchange.report.check.largestDifference, 0.3, 0.06);
        }
    }
}

}  // namespace
}  // namespace quorvane::sim
