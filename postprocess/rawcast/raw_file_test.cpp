#include "postprocess/rawcast/raw_file.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "common/testing/temp_dir_test.h"
#include "postprocess/rawcast/raw_cast_messages.h"

#include <cmath>
#include <filesystem>
#include <fstream>

namespace quorvane {
namespace {

namespace fs = std::filesystem;

using RawFileTest = test::TempDirTest;

std::vector<uint8_t> header(const std::string& firmware = "V1.2.0") {
    const RawFileHeader h = RawFileHeader::make(12345678, 1.025f, 45.5f, 0.25f, firmware);
    return {h.bytes.begin(), h.bytes.end()};
}

void append(std::vector<uint8_t>& out, const RawRecord& r) {
    out.insert(out.end(), r.bytes.begin(), r.bytes.end());
}

TEST_F(RawFileTest, HeaderSettingsAndTitleApplyEvenWhenFileHasNoData) {
    // The firmware field ends at a NUL or after eight characters.
    const std::pair<std::string, std::string> firmware[] = {{"V1.2.0", "V1.2.0"},
                                                            {"ABCDEFGH", "ABCDEFGH"},
                                                            {std::string("V12\0XYZW", 8), "V12"},
                                                            {"", ""}};
    for (const auto& [field, shown] : firmware) {
        std::vector<uint8_t> bytes = header(field);
        bytes[36] = 'Z';  // the byte after the field must not leak into the text
        CastData data;
        data.surfacePressure = 1.5f;
        data.rawRecords.push_back(RawRecord::make(1, 1500, 10, 3));
        const RawLoadResult r = LoadRawFile(data, write("c.bin", bytes));
        EXPECT_TRUE(r.headerApplied);
        EXPECT_FALSE(r.scanned);
        ASSERT_EQ(r.problems.size(), 1u);
        const Message message = rawLoadMessage(r.problems[0], "c.bin");
        EXPECT_EQ(message.text.en, "The file size error. Please select another file.");
        EXPECT_EQ(message.type, BoxType::WarningOkCancel);
        EXPECT_FLOAT_EQ(data.density, 1.025f);
        EXPECT_FLOAT_EQ(data.latitude, 45.5f);
        EXPECT_FLOAT_EQ(data.depthInterval, 0.25f);
        EXPECT_EQ(r.title.en, " Device ID:12345678   Firmware Version:" + shown);
        EXPECT_EQ(r.title.zh, " 设备ID：12345678   固件版本：" + shown);
        EXPECT_TRUE(data.rawRecords.empty());
        EXPECT_FLOAT_EQ(data.surfacePressure, 1.5f);  // the scan never ran
    }
}

TEST_F(RawFileTest, UnreadablePathsGiveTheirMessagesInOrderAndChangeNothing) {
    const std::string missing = utf8OfPath(dir_ / "missing.bin");
    const Text sizeError{"文件大小异常，请选择其他文件。",
                         "The file size error. Please select another file."};
    std::vector<std::pair<std::string, std::vector<Text>>> cases{
        {missing,
         {{"读取数据文件" + missing + "失败！", "Failed to read file : " + missing},
          {"读取原始数据文件" + missing + "失败！", "Failed to read Raw file : " + missing}}},
        {utf8OfPath(dir_), {sizeError}},
    };
#if !defined(_WIN32)
    const std::string fifo = utf8OfPath(dir_ / "pipe.bin");
    if (mkfifo(fifo.c_str(), 0600) == 0) {
        cases.push_back({fifo, {sizeError}});  // opening it would wait for a writer
    }
#endif
    for (const auto& [path, texts] : cases) {
        CastData data;
        data.density = 1.1f;
        data.rawRecords.push_back(RawRecord::make(1, 1500, 10, 3));
        const RawLoadResult r = LoadRawFile(data, path);
        std::vector<Text> got;
        for (const RawLoadProblem p : r.problems) got.push_back(rawLoadMessage(p, path).text);
        EXPECT_EQ(got, texts) << path;
        EXPECT_FALSE(r.headerApplied) << path;
        EXPECT_FALSE(r.scanned) << path;
        EXPECT_FLOAT_EQ(data.density, 1.1f);
        EXPECT_EQ(data.rawRecords.size(), 1u);
    }
    EXPECT_EQ(FileSizeOf(missing), -1);
}

TEST_F(RawFileTest, ScanFindsRecordsBySyncAndChecksumOnly) {
    const RawRecord a = RawRecord::make(1, 1500, 15, 2);
    const RawRecord b = RawRecord::make(2, 1501, 15, 3);
    struct Case {
        const char* name;
        std::vector<uint8_t> data;
        std::vector<int32_t> numbers;
    };
    std::vector<Case> cases;
    {  // garbage with stray sync pairs, a zero stretch, then records
        std::vector<uint8_t> d = {0x01, 0xCC, 0xDD, 0x05, 0xCC, 0xCC, 0xDD};
        d.insert(d.end(), 600, 0);
        append(d, a);
        d.push_back(0xCC);
        append(d, b);
        cases.push_back({"garbage", d, {1, 2}});
    }
    {  // a sync pair whose checksum fails makes the scan resume two bytes on, where a
       // record may start (a record cannot start at i+1: that byte is the second sync byte)
        std::vector<uint8_t> d = {0xCC, 0xDD};
        append(d, b);
        cases.push_back({"resume at i+2", d, {2}});
    }
    {  // a trailing partial record and a data part shorter than one record
        std::vector<uint8_t> d;
        append(d, a);
        d.insert(d.end(), b.bytes.begin(), b.bytes.begin() + 35);
        cases.push_back({"trailing piece", d, {1}});
        cases.push_back(
            {"short data", std::vector<uint8_t>(a.bytes.begin(), a.bytes.begin() + 35), {}});
    }
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = header();
        bytes.insert(bytes.end(), c.data.begin(), c.data.end());
        CastData data;
        const RawLoadResult r = LoadRawFile(data, write("s.bin", bytes));
        EXPECT_TRUE(r.scanned) << c.name;
        EXPECT_TRUE(r.problems.empty()) << c.name;
        std::vector<int32_t> numbers;
        for (const RawRecord& rec : data.rawRecords) numbers.push_back(rec.recordNumber());
        EXPECT_EQ(numbers, c.numbers) << c.name;
    }
}

TEST_F(RawFileTest, SurfaceRecordsFoldIntoSinglePrecisionMean) {
    // The running mean rounded to float at every step, as the instrument computes it.
    float mean = 0;
    mean += (1.00f - mean) / 1;
    mean += (1.02f - mean) / 2;
    mean += (1.04f - mean) / 3;
    struct Case {
        std::vector<std::pair<float, float>> velocityPressure;
        float surface;
        size_t kept;
    } cases[] = {
        {{{0.0f, 1.00f}, {0.0f, 1.02f}, {0.0f, 1.04f}, {1500.0f, 5.0f}}, mean, 1},
        {{{0.0f, 1.01f}, {1450.0f, 1.01f}}, 1.01f, 1},  // velocity decides
        {{{0.0f, 1.2f}}, 0.0f, 1},                      // 1.2 is not below 1.2
        {{{NAN, 1.0f}, {0.0f, NAN}}, 0.0f, 2},          // NaN fails the surface test
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = header();
        int n = 0;
        for (auto [v, p] : c.velocityPressure) append(bytes, RawRecord::make(++n, v, 10, p));
        CastData data;
        LoadRawFile(data, write("p.bin", bytes));
        EXPECT_EQ(data.surfacePressure, c.surface);
        EXPECT_EQ(data.rawRecords.size(), c.kept);
    }
}

TEST_F(RawFileTest, RecordsAcrossSliceBoundariesAreFound) {
    // Misalign records against the reader's internal slices so that some straddle them.
    std::vector<uint8_t> bytes = header();
    bytes.insert(bytes.end(), 7, 0xCC);
    const int count = 200000;  // ~7 MB, more than one slice
    for (int n = 1; n <= count; ++n) append(bytes, RawRecord::make(n, 1500, 10, 2 + n * 1e-5f));
    CastData data;
    LoadRawFile(data, write("big.bin", bytes));
    ASSERT_EQ(data.rawRecords.size(), size_t(count));
    for (int n = 0; n < count; ++n) ASSERT_EQ(data.rawRecords[n].recordNumber(), n + 1);
}

TEST_F(RawFileTest, CastLargerThan2GiBIsReadWhole) {
    // A sparse file: 2.25 GiB of zeros (a long zero-filled stretch) with records at both ends.
    const fs::path path = dir_ / "huge.bin";
    {
        std::vector<uint8_t> start = header();
        append(start, RawRecord::make(1, 1500, 10, 2));
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(start.data()), std::streamsize(start.size()));
    }
    const uint64_t tailOffset = (uint64_t(9) << 28) + 5;
    {
        std::error_code ec;
        fs::resize_file(path, tailOffset, ec);
        if (ec) {
            GTEST_SKIP() << "no sparse file support: " << ec.message();
        }
        std::ofstream out(path, std::ios::binary | std::ios::app);
        const RawRecord last = RawRecord::make(2, 1510, 11, 3);
        out.write(reinterpret_cast<const char*>(last.bytes.data()), 36);
    }
    EXPECT_EQ(FileSizeOf(utf8OfPath(path)), int64_t(tailOffset + 36));
    CastData data;
    const RawLoadResult r = LoadRawFile(data, utf8OfPath(path));
    EXPECT_TRUE(r.problems.empty());
    ASSERT_EQ(data.rawRecords.size(), 2u);
    EXPECT_EQ(data.rawRecords[1].recordNumber(), 2);
}

}  // namespace
}  // namespace quorvane
