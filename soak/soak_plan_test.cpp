#include "soak/soak_plan.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "simulator/fault_plan.h"

namespace quorvane::soak {
namespace {

TEST(SoakPlanTest, ASeedReplaysItsRun) {
    const SoakPlan a = planRun(42);
    const SoakPlan b = planRun(42);
    ASSERT_EQ(a.casts.size(), b.casts.size());
    for (size_t i = 0; i < a.casts.size(); ++i) {
        EXPECT_EQ(a.casts[i].name, b.casts[i].name);
        EXPECT_EQ(a.casts[i].bytes, b.casts[i].bytes);
    }
    EXPECT_EQ(a.faults, b.faults);
    EXPECT_NE(planRun(43).casts.front().bytes, a.casts.front().bytes);
}

// The soak's figures mean something only when every kind of fault occurs, the faults called
// recoverable are, and the file sizes cover short and odd last blocks.
TEST(SoakPlanTest, TwoHundredRunsCoverEveryFaultAndSize) {
    std::set<std::string> kinds;
    std::set<uint64_t> lastBlockSizes;
    int recoverable = 0;
    int clean = 0;
    for (uint64_t seed = 1; seed <= 200; ++seed) {
        const SoakPlan plan = planRun(seed);
        ASSERT_FALSE(plan.casts.empty());
        bool unrecoverable = false;
        for (const SoakCast& cast : plan.casts) {
            ASSERT_FALSE(cast.bytes.empty()) << seed;
            lastBlockSizes.insert(cast.bytes.size() % 512);
        }
        for (const std::string& text : plan.faults) {
            const sim::FaultParse parsed = sim::parseFaultRule(text);
            ASSERT_TRUE(parsed.rule) << parsed.error;
            const std::string kind = text.substr(0, text.find_first_of("@:"));
            kinds.insert(kind);
            const bool longSilence = kind == "silence" && parsed.rule->argument > 1000;
            unrecoverable = unrecoverable || kind == "hangup" || kind == "mute" || longSilence;
            if (kind == "gap") {
                // A last block is not checked for record numbers and a first one sets them: a
                // gap must strike the first file between the two, and is recoverable only
                // alone, when no frame is sent twice before it.
                EXPECT_GE(parsed.rule->position, 2u);
                EXPECT_LT(parsed.rule->position, blocksOf(plan.casts.front().bytes.size()));
                EXPECT_GT(parsed.rule->argument, 20);
                unrecoverable = unrecoverable || plan.faults.size() > 1;
            }
        }
        EXPECT_EQ(plan.recoverable, !unrecoverable) << seed;
        recoverable += plan.recoverable ? 1 : 0;
        clean += plan.faults.empty() ? 1 : 0;
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"bad", "checksum", "drop", "failed", "gap", "hangup",
                                            "mute", "payload", "silence", "stray", "svpok"}));
    EXPECT_GT(recoverable, 100);
    EXPECT_GT(clean, 0);
    EXPECT_TRUE(lastBlockSizes.count(0));
    EXPECT_GT(lastBlockSizes.size(), 50u);
}

}  // namespace
}  // namespace quorvane::soak
