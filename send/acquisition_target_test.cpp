#include "send/acquisition_target.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(AcquisitionTargetTest, TargetsAreReadAsWrittenAndRefusedWhenIncomplete) {
    struct Case {
        const char* text;
        std::optional<AcquisitionTarget> expected;
    };
    const Case cases[] = {
        {"sis4@192.168.1.20", AcquisitionTarget{TargetKind::Sis4, "192.168.1.20", 4001}},
        {"sis5@sonar", AcquisitionTarget{TargetKind::Sis5, "sonar", 14002}},
        {"sis4@h:5000/s12", AcquisitionTarget{TargetKind::Sis4, "h", 5000, DatagramKind::S12}},
        {"qinsy@10.0.0.5:4001",
         AcquisitionTarget{TargetKind::Qinsy, "10.0.0.5", 4001, DatagramKind::S12}},
        {"ea440@h:7/calc", AcquisitionTarget{TargetKind::Ea440, "h", 7, DatagramKind::Calc}},
        {"qinsy@10.0.0.5", std::nullopt},  // no usual port
        {"sis4@", std::nullopt},
        {"sis4@h:0", std::nullopt},
        {"sis4@h:65536", std::nullopt},
        {"sis4@h:12x", std::nullopt},
        {"sis6@h", std::nullopt},
        {"sis4@h/s99", std::nullopt},
        {"192.168.1.20", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseTarget(c.text), c.expected) << c.text;
        if (c.expected) {
            EXPECT_EQ(parseTarget(targetText(*c.expected)), c.expected) << c.text;
        }
    }
}

TEST(AcquisitionTargetTest, KeptTargetsReadBackAndABrokenOneCostsOnlyItself) {
    AcquisitionTarget sis{TargetKind::Sis4, "192.168.1.20", 4001};
    sis.name = "Main sonar, port side";
    AcquisitionTarget ea{TargetKind::Ea440, "10.0.0.7", 4001, DatagramKind::Calc, 17000};
    ea.name = "单波束";
    const std::string text = targetListText({sis, ea});
    EXPECT_EQ(readTargetList(text), (std::vector<AcquisitionTarget>{sis, ea}));
    const std::string damaged = "[target0]\r\nkind=sis9\r\nhost=h\r\nport=1\r\n" + text +
                                "[target3]\nkind=sis4\nhost=\nport=4001\n";
    EXPECT_EQ(readTargetList(damaged), (std::vector<AcquisitionTarget>{sis, ea}));
    EXPECT_EQ(readTargetList("[a]\nkind=sis5\nhost=h\nport=9\n"),
              (std::vector<AcquisitionTarget>{{TargetKind::Sis5, "h", 9}}));
    EXPECT_TRUE(readTargetList("").empty());
}

}  // namespace
}  // namespace quorvane
