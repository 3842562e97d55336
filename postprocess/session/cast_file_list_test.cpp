#include "postprocess/session/cast_file_list.h"

#include <gtest/gtest.h>

#include "postprocess/session/testing/scripted_session.h"

namespace quorvane {
namespace {

TEST(FileTypeText, ExtensionsAreComparedWithCase) {
    struct Case {
        const char* extension;
        const char* zh;
        const char* en;
    };
    const Case cases[] = {
        {"bin", "原始数据", "Raw Data"},
        {"BIN", "原始数据", "Raw Data"},
        {"Bin", "", ""},
        {"prf", "拟合数据", "Fitting data"},
        {"PRF", "", ""},
        {"asvf", "平均声速", "Average Velocity"},
        {"csv", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileTypeText(c.extension, false), c.zh) << c.extension;
        EXPECT_EQ(FileTypeText(c.extension, true), c.en) << c.extension;
    }
}

TEST(CastFileList, SameNameReplacesThePathOnlyAfterYes) {
    test::ScriptedPrompter prompter;
    CastFileList list;
    EXPECT_TRUE(list.add("/a/cast.bin", "bin", "cast.bin", prompter, true));
    EXPECT_TRUE(list.add("/a/other.prf", "prf", "other.prf", prompter, true));
    EXPECT_TRUE(prompter.asked.empty());

    prompter.answers = {Button::No};
    EXPECT_FALSE(list.add("/b/cast.bin", "bin", "cast.bin", prompter, true));
    EXPECT_EQ(list.pathOfNumber(1), "/a/cast.bin");
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].type, BoxType::YesNoQuestion);
    EXPECT_EQ(prompter.asked[0].text.en, "The file already exists.\nDo you want to replace it?");

    prompter.answers = {Button::Yes};
    EXPECT_TRUE(list.add("/b/cast.bin", "bin", "cast.bin", prompter, true));
    ASSERT_EQ(list.entries().size(), 2u);
    EXPECT_EQ(list.pathOfNumber(1), "/b/cast.bin");
    // Names are compared with case: this is a third entry, with no type text.
    EXPECT_TRUE(list.add("/a/Cast.Bin", "Bin", "Cast.Bin", prompter, true));
    EXPECT_EQ(list.entries()[2].typeText, "");
}

TEST(CastFileList, RemovingARowRenumbersTheRowsAfterIt) {
    test::ScriptedPrompter prompter;
    CastFileList list;
    for (const char* name : {"a.bin", "b.bin", "c.bin"}) {
        list.add(std::string("/d/") + name, "bin", name, prompter, false);
    }
    EXPECT_EQ(list.remove(1).name, "b.bin");
    EXPECT_EQ(list.pathOfNumber(2), "/d/c.bin");
    EXPECT_EQ(list.pathOfNumber(3), "");
    // The name is free again.
    EXPECT_TRUE(list.add("/e/b.bin", "bin", "b.bin", prompter, false));
    EXPECT_TRUE(prompter.asked.empty());
}

}  // namespace
}  // namespace quorvane
