#include "postprocess/profilefiles/point_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "common/testing/temp_dir_test.h"
#include "postprocess/profilefiles/point_file_messages.h"
#include "postprocess/profilefiles/point_ranges.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

using PointFileTest = test::TempDirTest;
using test::slurp;

bool sameBits(const std::vector<ProfilePoint>& a, const std::vector<ProfilePoint>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0;
}

TEST_F(PointFileTest, BothKindsRoundTripBitForBitAsLittleEndianDoubles) {
    const std::vector<ProfilePoint> points = {
        {0.5, 1500.125, 12.3},
        {1.0, 1499.999999, -0.0},
        {std::numeric_limits<double>::denorm_min(), 1e300, std::nan("7")}};
    ASSERT_TRUE(SaveProfileFile(path("a.prf"), points).ok);
    const std::string bytes = slurp(path("a.prf"));
    ASSERT_EQ(bytes.size(), 24u * points.size());
    // 0.5 as a little-endian double: 00 00 00 00 00 00 E0 3F
    EXPECT_EQ(bytes.substr(0, 8), std::string("\0\0\0\0\0\0\xE0\x3F", 8));
    std::vector<ProfilePoint> back = {{9, 9, 9}};
    ASSERT_TRUE(LoadProfileFile(path("a.prf"), back).ok);
    EXPECT_TRUE(sameBits(points, back));

    const std::vector<AveragePoint> average = {{0.51, 1500.0}, {1.0, 1501.25}};
    ASSERT_TRUE(SaveAverageFile(path("a.asvf"), average).ok);
    EXPECT_EQ(fs::file_size(path("a.asvf")), 32u);
    std::vector<AveragePoint> averageBack;
    ASSERT_TRUE(LoadAverageFile(path("a.asvf"), averageBack).ok);
    ASSERT_EQ(averageBack.size(), 2u);
    EXPECT_EQ(std::memcmp(averageBack.data(), average.data(), 32), 0);
}

TEST_F(PointFileTest, PartialTrailingRecordIsDroppedAndEmptyFileGivesNothing) {
    const std::pair<size_t, size_t> cases[] = {{50, 2}, {0, 0}, {23, 0}, {48, 2}};
    for (auto [size, count] : cases) {
        std::ofstream(path("p.prf"), std::ios::binary) << std::string(size, '\x01');
        std::vector<ProfilePoint> profile = {{1, 2, 3}};
        EXPECT_TRUE(LoadProfileFile(path("p.prf"), profile).ok);
        EXPECT_EQ(profile.size(), count) << size;
        std::vector<AveragePoint> average;
        EXPECT_TRUE(LoadAverageFile(path("p.prf"), average).ok);
        EXPECT_EQ(average.size(), size / 16) << size;
    }
}

TEST_F(PointFileTest, FailuresAreReportedWithTheirMessages) {
    const std::vector<ProfilePoint> profile = {{1, 1500, 10}};
    // A folder that is a regular file cannot hold files, whoever runs the test.
    std::ofstream(path("not-a-folder")) << "x";
    const std::string uncreatable = path("not-a-folder") + "/out";

    struct Case {
        const char* name;
        PointFileKind kind;
        std::string path;
        PointFileResult result;
        std::string en;
        std::string zh;
    };
    // Both kinds share one writer and one reader: each failure once, the kinds alternating.
    std::vector<Case> cases = {
        {"empty average", PointFileKind::Average, path("e.asvf"),
         SaveAverageFile(path("e.asvf"), {}),
         "No Average data in the file. Please set Average Sound Velocity First!",
         "当前文件无平均声速数据，请点击“数据分析”菜单下“平均声速”菜单项设置平均声速！！"},
        {"profile not created", PointFileKind::Profile, uncreatable,
         SaveProfileFile(uncreatable, profile), "Failed to save SVP file!",
         "保存声速剖面文件失败！"},
        {"average not created", PointFileKind::Average, uncreatable,
         SaveAverageFile(uncreatable, {{1, 1500}}), "Failed to save Average File!",
         "保存平均声速文件失败！"},
        {"average not read", PointFileKind::Average, path("missing.asvf"),
         [&] {
             std::vector<AveragePoint> out;
             return LoadAverageFile(path("missing.asvf"), out);
         }(),
         "Failed to read Average file : " + path("missing.asvf"),
         "读取平均声速数据文件" + path("missing.asvf") + "失败！"},
    };
    if (fs::exists("/dev/full")) {
        cases.push_back({"profile on a full disk", PointFileKind::Profile, "/dev/full",
                         SaveProfileFile("/dev/full", profile),
                         "Failed to write SVP file : /dev/full. The file is incomplete (the disk "
                         "may be full).",
                         "写入声速剖面文件/dev/full失败，文件不完整（磁盘可能已满）！"});
        cases.push_back({"average on a full disk", PointFileKind::Average, "/dev/full",
                         SaveAverageFile("/dev/full", {{1, 1500}}),
                         "Failed to write Average file : /dev/full. The file is incomplete (the "
                         "disk may be full).",
                         "写入平均声速文件/dev/full失败，文件不完整（磁盘可能已满）！"});
    }
    for (const Case& c : cases) {
        EXPECT_FALSE(c.result.ok) << c.name;
        ASSERT_TRUE(c.result.problem.has_value()) << c.name;
        const Message shown = pointFileMessage(c.kind, *c.result.problem, c.path);
        EXPECT_EQ(shown.type, BoxType::WarningOkCancel) << c.name;
        EXPECT_EQ(shown.text, (Text{c.zh, c.en})) << c.name;
    }
}

TEST(PointRanges, RangesFollowTheListAndEmptyListsLeaveThem) {
    CastData data;
    data.depthMin = -1;
    data.averageDepthMax = 99;
    UpdateFittedRanges(data);
    UpdateAverageRanges(data);
    EXPECT_EQ(data.depthMin, -1);
    EXPECT_EQ(data.averageDepthMax, 99);

    data.fittedProfile = {{3, 1510, 8}, {1, 1520, 12}, {2, 1490, 10}};
    data.averageProfile = {{5, 1500}, {2, 1495}, {9, 1502}};
    UpdateFittedRanges(data);
    UpdateAverageRanges(data);
    EXPECT_EQ(std::make_pair(data.depthMin, data.depthMax), std::make_pair(1.0, 3.0));
    EXPECT_EQ(std::make_pair(data.averageDepthMin, data.averageDepthMax), std::make_pair(2.0, 9.0));
    EXPECT_EQ(std::make_pair(data.averageVelocityMin, data.averageVelocityMax),
              std::make_pair(1495.0, 1502.0));
}

}  // namespace
}  // namespace quorvane
