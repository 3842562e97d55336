#include "device/operations/output_naming.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "common/testing/temp_dir_test.h"

namespace quorvane {
namespace {

TEST(SafePathComponent, OrdinaryNamesStayAndUnsafeOnesBecomeOneComponent) {
    const std::pair<std::string, std::string> cases[] = {
        {"CAST0001.bin", "CAST0001.bin"},
        {"测量01.bin", "测量01.bin"},
        {"", "_"},
        {".", "_"},
        {"..", "__"},
        {"../x", ".._x"},
        {"a\\b/c", "a_b_c"},
        {"C:name*?<>|\"", "C_name______"},
        {std::string("nul\0byte", 8), "nul_byte"},
        {"bell\x07\t", "bell__"},
        {"del\x7F", "del_"},
        {"trail. ", "trail__"},
        {"CON", "_CON"},
        {"COM1", "_COM1"},
        {"lpt9.bin", "_lpt9.bin"},
        {"COM0", "COM0"},
        {"COM10", "COM10"},
        {"com\xC2\xB9.txt", "_com\xC2\xB9.txt"},  // COM¹
        {"LPT\xC2\xB3", "_LPT\xC2\xB3"},
        {"COM\xE2\x81\xB4", "COM\xE2\x81\xB4"},  // a superscript four names no port
        {"CONSOLE", "CONSOLE"},
        {"bad\xFFutf8\xC3", "bad_utf8_"},
        {"\xE6\xB5", "__"},  // a character cut short
    };
    for (const auto& [text, safe] : cases) {
        EXPECT_EQ(safePathComponent(text), safe) << text;
    }
}

// A longer text is cut at a character boundary; a safe name of the full 255 bytes is kept; a
// reserved one gives up its last character (whole, and then no trailing dot) for the '_' in
// front.
TEST(SafePathComponent, LongNamesStayOneComponentOfAtMost255Bytes) {
    const std::string a250(250, 'a');
    const std::string head = std::string(100, 'x') + std::string(80, '_') + std::string(61, 'y');
    const std::pair<std::string, std::string> cases[] = {
        {std::string(300, 'a'), std::string(255, 'a')},
        // 241 bytes, then four whole characters of three bytes: a fifth would end at 256.
        {std::string(100, 'x') + std::string(80, '\0') + std::string(61, 'y') + "测测测测测测",
         head + "测测测测"},
        {"x" + a250 + ".bin", "x" + a250 + ".bin"},
        {"CON.a" + a250, "_CON." + a250},
        {"CON." + std::string(249, 'a') + ".b", "_CON." + std::string(249, 'a') + "_"},
        {"CON." + std::string(248, 'a') + "测", "_CON." + std::string(248, 'a')},
    };
    for (const auto& [text, safe] : cases) {
        EXPECT_EQ(safePathComponent(text), safe) << text;
        EXPECT_LE(safe.size(), kMaxComponentBytes);
        EXPECT_EQ(safePathComponent(safe), safe) << "kept as it is once safe";
    }
}

// The number goes before the name, so the cut of a long name never takes it away.
TEST(OutputFileName, TwoLongNamesDifferingBeyondTheCutStillGetFilesOfTheirOwn) {
    const std::string a = std::string(300, 'n') + "a";
    const std::string b = std::string(300, 'n') + "b";
    EXPECT_EQ(outputFileName("d", a, 0), outputFileName("d", b, 0));
    EXPECT_NE(outputFileName("d", a, 0), outputFileName("d", b, 1));
}

TEST(IncompleteFileName, MarksTheStemAndKeepsAShortExtension) {
    const std::pair<std::string, std::string> cases[] = {
        {"d_CAST0002.BIN", "d_CAST0002_incomplete.BIN"},
        {"d_N", "d_N_incomplete"},
        {"d_.._.._evil", "d_.._.._evil_incomplete"},  // no extension of letters and digits
        {"d_a.tar.gz", "d_a.tar_incomplete.gz"},
        {std::string(260, 'n') + ".BIN", std::string(240, 'n') + "_incomplete.BIN"},
    };
    for (const auto& [name, incomplete] : cases) {
        EXPECT_EQ(incompleteFileName(name), incomplete) << name;
    }
}

class CreateOutputFile : public test::TempDirTest {};

// A file is received under its incomplete name and renamed only once whole, so an earlier
// incomplete copy never takes the plain name from the whole one, and nothing is replaced.
TEST_F(CreateOutputFile, NeverOpensOrReplacesAnExistingFileOrLink) {
    const std::filesystem::path folder = dir_ / "Data" / "12345678";
    auto first = createOutputFile(folder, "d", "N.BIN");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->path, folder / "d_N_incomplete.BIN");
    std::filesystem::create_directory(folder / "d(1)_N_incomplete.BIN");
#if !defined(_WIN32)
    std::filesystem::create_symlink(dir_ / "elsewhere", folder / "d(2)_N_incomplete.BIN");
#endif
    auto next = createOutputFile(folder, "d", "N.BIN");
    ASSERT_TRUE(next);
#if !defined(_WIN32)
    EXPECT_EQ(next->path, folder / "d(3)_N_incomplete.BIN");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "elsewhere"));
#endif
    // The first stays incomplete; the next, whole and closed (Windows renames no open file),
    // takes the first free plain name.
    next->file.reset();
    EXPECT_EQ(keepWholeFile(next->path, "d", "N.BIN"), folder / "d_N.BIN");
    std::ofstream(folder / "d(1)_N.BIN") << "kept";
    auto third = createOutputFile(folder, "d", "N.BIN");
    ASSERT_TRUE(third);
    third->file.reset();
    EXPECT_EQ(keepWholeFile(third->path, "d", "N.BIN"), folder / "d(2)_N.BIN");
    EXPECT_EQ(test::slurp(folder / "d(1)_N.BIN"), "kept");
    EXPECT_TRUE(std::filesystem::exists(first->path));
    // A file where the folder should be: nothing is made.
    test::TempDirTest::write("Data2", {});
    EXPECT_FALSE(createOutputFile(dir_ / "Data2" / "x", "d", "N"));
}

}  // namespace
}  // namespace quorvane
