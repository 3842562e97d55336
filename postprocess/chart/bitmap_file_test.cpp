#include "postprocess/chart/bitmap_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/testing/file_size_limit.h"
#include "common/testing/temp_dir_test.h"

namespace quorvane {
namespace {

using test::slurp;

std::string bytesOf(std::initializer_list<int> values) {
    std::string bytes;
    for (const int v : values) {
        bytes.push_back(static_cast<char>(v));
    }
    return bytes;
}

TEST(BitmapBitCount, FollowsTheScreenDepth) {
    const std::pair<int, int> cases[] = {{1, 24}, {16, 24}, {24, 24}, {25, 32}, {32, 32}};
    for (const auto& [depth, bits] : cases) {
        EXPECT_EQ(bitmapBitCount(depth), bits) << depth;
    }
}

class SaveBitmapFileTest : public test::TempDirTest {};

struct BitmapCase {
    int bitCount;
    Pixels pixels;
    std::string file;
};

// 2 x 3 at 24 bits: rows of 6 bytes padded to 8, image size 3 x ((48 + 31) / 8) = 27, so three
// zero bytes follow the rows. 1 x 2 at 32 bits: rows of 4, image size 2 x 7 = 14, six zeros.
// The top byte of each pixel is set to show that it never reaches the file.
TEST_F(SaveBitmapFileTest, WritesHeadersBottomUpRowsAndTheZeroSurplus) {
    const BitmapCase cases[] = {
        {24,
         {2, 3, {0xFF112233, 0xFF445566, 0xFF778899, 0xFFAABBCC, 0xFFDDEEFF, 0xFF010203}},
         bytesOf({0x42, 0x4D, 81,   0,    0,    0,    0,    0,    0,    0, 54, 0,  0, 0, 40, 0, 0,
                  0,    2,    0,    0,    0,    3,    0,    0,    0,    1, 0,  24, 0, 0, 0,  0, 0,
                  0,    0,    0,    0,    0,    0,    0,    0,    0,    0, 0,  0,  0, 0, 0,  0, 0,
                  0,    0,    0,    0xFF, 0xEE, 0xDD, 0x03, 0x02, 0x01, 0, 0,  //
                  0x99, 0x88, 0x77, 0xCC, 0xBB, 0xAA, 0,    0,                 //
                  0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0,    0,                 //
                  0,    0,    0})},
        {32,
         {1, 2, {0xFF102030, 0xFF405060}},
         bytesOf({0x42, 0x4D, 68, 0,    0,    0,    0, 0,    0,    0,    54, 0,  0, 0, 40, 0, 0,
                  0,    1,    0,  0,    0,    2,    0, 0,    0,    1,    0,  32, 0, 0, 0,  0, 0,
                  0,    0,    0,  0,    0,    0,    0, 0,    0,    0,    0,  0,  0, 0, 0,  0, 0,
                  0,    0,    0,  0x60, 0x50, 0x40, 0, 0x30, 0x20, 0x10, 0,  0,  0, 0, 0,  0, 0})},
    };
    for (const BitmapCase& c : cases) {
        const std::string file = path("chart.bmp");
        ASSERT_TRUE(SaveBitmapFile(c.pixels, c.bitCount, file)) << c.bitCount;
        EXPECT_EQ(slurp(file), c.file) << c.bitCount;
    }
}

TEST_F(SaveBitmapFileTest, ReplacesAnExistingFileAndTakesAUtf8Path) {
    const std::string file = path("图表.bmp");
    write("图表.bmp", std::vector<uint8_t>(500, 0xAB));
    ASSERT_TRUE(SaveBitmapFile({1, 1, {0}}, 24, file));
    EXPECT_EQ(std::filesystem::file_size(dir_ / std::filesystem::path(u8"图表.bmp")), 54u + 6u);
}

TEST_F(SaveBitmapFileTest, ReportsEveryFailure) {
    const std::string file = path("chart.bmp");
    write("plain", std::vector<uint8_t>(4, 1));
    struct Failure {
        const char* name;
        Pixels pixels;
        int bitCount;
        std::string path;
    };
    const Failure failures[] = {
        {"missing folder", {1, 1, {0}}, 24, path("missing/chart.bmp")},
        {"folder is a file", {1, 1, {0}}, 24, path("plain/chart.bmp")},
        {"too few pixels", {2, 2, {0, 0, 0}}, 24, file},
        {"empty bitmap", {0, 5, {}}, 24, file},
        {"unknown bit count", {1, 1, {0}}, 16, file},
    };
    for (const Failure& f : failures) {
        EXPECT_FALSE(SaveBitmapFile(f.pixels, f.bitCount, f.path)) << f.name;
        EXPECT_FALSE(std::filesystem::exists(f.path)) << f.name;
    }
    // A full disk shows only when the buffered bytes are flushed; the device stays.
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_FALSE(SaveBitmapFile({64, 64, std::vector<uint32_t>(64 * 64)}, 32, "/dev/full"));
        EXPECT_TRUE(std::filesystem::exists("/dev/full"));
    }
#if !defined(_WIN32)
    // A disk that fills up half-way: no cut-off bitmap is left to pass for a chart.
    const std::string cutOff = path("cut.bmp");
    {
        const test::FileSizeLimit limit(4096);
        EXPECT_FALSE(SaveBitmapFile({64, 64, std::vector<uint32_t>(64 * 64)}, 32, cutOff));
    }
    EXPECT_FALSE(std::filesystem::exists(cutOff));
#endif
}

}  // namespace
}  // namespace quorvane
