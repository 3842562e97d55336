#include "simulator/fault_plan.h"

#include <gtest/gtest.h>

namespace quorvane::sim {
namespace {

TEST(FaultPlan, SwitchSyntax) {
    struct Case {
        const char* text;
        FaultKind kind;
        uint64_t position;
        double rate;
        int argument;
    };
    const Case good[] = {
        {"checksum@3", FaultKind::Checksum, 3, 0.0, 0},
        {"payload:0.05", FaultKind::Payload, 0, 0.05, 0},
        {"drop:1", FaultKind::Drop, 0, 1.0, 0},
        {"gap@4", FaultKind::Gap, 4, 0.0, 100},  // default argument
        {"hangup@20:never", FaultKind::Hangup, 20, 0.0, -1},
        {"silence@5:2.5s", FaultKind::Silence, 5, 0.0, 2500},
        {"silence:0.1:300", FaultKind::Silence, 0, 0.1, 300},
        {"svpok@2", FaultKind::SvpOk, 2, 0.0, 0},
    };
    for (const Case& c : good) {
        const FaultParse parsed = parseFaultRule(c.text);
        ASSERT_TRUE(parsed.rule) << c.text << ": " << parsed.error;
        EXPECT_EQ(parsed.rule->kind, c.kind) << c.text;
        EXPECT_EQ(parsed.rule->position, c.position) << c.text;
        EXPECT_DOUBLE_EQ(parsed.rule->rate, c.rate) << c.text;
        EXPECT_EQ(parsed.rule->argument, c.argument) << c.text;
    }
    for (const char* bad : {"checksum", "checksum@0", "checksum@3x", "payload:1.5", "drop@1:5",
                            "silence@1:-5ms", "silence@1:nans", "frobnicate@1", ""}) {
        const FaultParse parsed = parseFaultRule(bad);
        EXPECT_FALSE(parsed.rule) << bad;
        EXPECT_FALSE(parsed.error.empty()) << bad;
    }
}

TEST(FaultPlan, PositionsStrikeOnceAndOnlyTheirOwnEvents) {
    FaultPlan plan({*parseFaultRule("checksum@2").rule, *parseFaultRule("bad@2").rule}, 1);
    EXPECT_FALSE(plan.forFrame(1, 512, 1).badChecksum);
    EXPECT_TRUE(plan.forFrame(2, 512, 1).badChecksum);
    EXPECT_FALSE(plan.forFrame(3, 512, 1).badChecksum);
    EXPECT_TRUE(plan.forCommand(1).replacement.empty());
    EXPECT_EQ(plan.forCommand(2).replacement, "$cmd,Bad,Command*ff\r\n");
    EXPECT_FALSE(plan.forCommand(2).stray);
}

TEST(FaultPlan, RatesFollowTheSeed) {
    const auto pattern = [](uint64_t seed) {
        FaultPlan plan({*parseFaultRule("checksum:0.3").rule, *parseFaultRule("payload:0.2").rule},
                       seed);
        std::string marks;
        for (uint64_t frame = 1; frame <= 200; ++frame) {
            const FrameFaults f = plan.forFrame(frame, 512, 1);
            marks += f.badChecksum ? 'c' : '.';
            marks += f.noisyPayloadByte ? static_cast<char>('a' + *f.noisyPayloadByte % 26) : '.';
        }
        return marks;
    };
    const std::string first = pattern(7);
    EXPECT_EQ(first, pattern(7));
    EXPECT_NE(first, pattern(8));
    // Roughly the asked share of 200 frames; far off would mean the rate is misread.
    const auto hits = std::count(first.begin(), first.end(), 'c');
    EXPECT_GT(hits, 30);
    EXPECT_LT(hits, 90);
}

}  // namespace
}  // namespace quorvane::sim
