#include "common/arguments.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(Arguments, SplitsPositionalValuesAndFlags) {
    const Arguments a({"a.bin", "--out", "D", "--format=csv", "--yes", "b.bin", "--format", "vel"},
                      {"out", "format"}, {"yes"});
    EXPECT_EQ(a.error(), "");
    EXPECT_EQ(a.positional(), (std::vector<std::string>{"a.bin", "b.bin"}));
    EXPECT_EQ(a.value("out"), "D");
    EXPECT_EQ(a.values("format"), (std::vector<std::string>{"csv", "vel"}));
    EXPECT_EQ(a.value("format"), "vel");
    EXPECT_TRUE(a.flag("yes"));
    EXPECT_FALSE(a.value("lang").has_value());
}

TEST(Arguments, RejectsWhatItDoesNotKnow) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--colour", "red"}, "unknown option --colour"},
        {{"--out"}, "option --out needs a value"},
        {{"--yes=1"}, "unknown option --yes=1"},
    };
    for (const auto& [words, error] : cases) {
        EXPECT_EQ(Arguments(words, {"out"}, {"yes"}).error(), error);
    }
}

TEST(Arguments, NumberOptionNamesTheOptionWhenItIsNoNumber) {
    std::string error;
    const Arguments a({"--interval", "x"}, {"interval"}, {});
    EXPECT_FALSE(a.number("interval", error).has_value());
    EXPECT_EQ(error, "--interval needs a number, not 'x'");
}

}  // namespace
}  // namespace quorvane
