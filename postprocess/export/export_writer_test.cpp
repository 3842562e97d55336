#include "postprocess/export/export_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "common/testing/temp_dir_test.h"
#include "postprocess/export/export_choices.h"
#include "postprocess/export/export_messages.h"
#include "postprocess/export/testing/comma_locale.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

const std::vector<ProfilePoint> kProfile{{1.0, 1500.1234, 12.3456}, {2.5, 1499.9996, -1.5}};
const std::vector<AveragePoint> kAverage{{0.5, 1480.25}, {1.0, 1480.0004}};

using ExportWriterTest = test::TempDirTest;
using test::slurp;

// First column of every line after the header lines.
std::vector<std::string> depthsWritten(const std::string& file, size_t headerLines) {
    std::istringstream lines(slurp(file));
    std::vector<std::string> depths;
    std::string line;
    for (size_t n = 0; std::getline(lines, line); ++n) {
        if (n >= headerLines) {
            depths.push_back(line.substr(0, line.find(' ')));
        }
    }
    return depths;
}

TEST_F(ExportWriterTest, FilesHaveTheExactBytesOfEachFormatAndLanguage) {
    struct Case {
        bool average;
        ExportFormat format;
        bool english;
        std::string extension;
        std::string expected;
    };
    // Each header and separator once; HYPACK has no language of its own.
    const Case cases[] = {
        {false, ExportFormat::Csv, true, ".csv",
         "Depth,Sound Velocity,Temperature\r\n1.000,1500.123,12.346\r\n2.500,1500.000,-1.500\r\n"},
        {false, ExportFormat::Text, false, ".txt",
         "\xC9\xEE\xB6\xC8,\xC9\xF9\xCB\xD9,\xCE\xC2\xB6\xC8\r\n"
         "1.000 1500.123 12.346\r\n2.500 1500.000 -1.500\r\n"},
        {false, ExportFormat::Hypack, false, ".vel",
         "FTP NEW 2\r\n1.000 1500.123\r\n2.500 1500.000\r\n"},
        {true, ExportFormat::Csv, false, ".csv",
         "\xC6\xF0\xCA\xBC\xC9\xEE\xB6\xC8,0.300\r\n\xC9\xEE\xB6\xC8,\xC9\xF9\xCB\xD9\r\n"
         "0.500,1480.250\r\n1.000,1480.000\r\n"},
        {true, ExportFormat::Text, true, ".txt",
         "Begin depth,0.300\r\nDepth,Sound Velocity\r\n0.500 1480.250\r\n1.000 1480.000\r\n"},
    };
    // A program that switched LC_NUMERIC to a comma locale must still write points.
    for (const bool comma : {false, true}) {
        std::optional<test::CommaLocale> locale;
        if (comma) {
            locale.emplace();
            ASSERT_TRUE(locale->active()) << "no locale with a decimal comma could be made";
        }
        int n = 0;
        for (const Case& c : cases) {
            const ExportOptions options{c.format, c.english, false, 0.5f};
            const std::string chosen = path("out" + std::to_string(n++));
            const ExportResult result = c.average ? exportAverage(kAverage, 0.3f, chosen, options)
                                                  : exportProfile(kProfile, chosen, options);
            ASSERT_TRUE(result.ok) << chosen;
            EXPECT_FALSE(result.failure.has_value());
            EXPECT_EQ(result.path, chosen + c.extension);
            EXPECT_EQ(result.rowsWritten, 2u);
            EXPECT_EQ(slurp(result.path), c.expected) << chosen << " comma locale " << comma;
        }
    }
}

TEST_F(ExportWriterTest, DepthFilterMeasuresEachRowFromTheRowWrittenBefore) {
    struct Case {
        const char* name;
        std::vector<double> depths;
        bool enabled;
        float filterDepth;
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {"fitted", {1.0, 1.2, 1.5, 1.7, 2.0}, true, 0.5f, {"1.000", "1.500", "2.000"}},
        {"raw", {1.0, 1.6, 2.0, 2.7}, true, 0.5f, {"1.000", "1.600", "2.700"}},
        {"up-cast", {1.0, 2.0, 1.4, 1.0}, true, 0.5f, {"1.000", "2.000", "1.400"}},
        {"off", {1.0, 1.0, 1.01}, false, 0.5f, {"1.000", "1.000", "1.010"}},
        // 1.1 - 1.0 lies a few ULPs below 0.1 and 0.1f above it; the rows are still meant.
        {"decimetre grid", {1.0, 1.1, 1.2, 1.3}, true, 0.1f, {"1.000", "1.100", "1.200", "1.300"}},
        {"one point", {3.25}, true, 0.5f, {"3.250"}},
        {"empty", {}, true, 0.5f, {}},
    };
    for (const Case& c : cases) {
        std::vector<ProfilePoint> profile;
        std::vector<AveragePoint> average;
        for (const double depth : c.depths) {
            profile.push_back({depth, 1500.0, 10.0});
            average.push_back({depth, 1490.0});
        }
        const ExportOptions options{ExportFormat::Text, true, c.enabled, c.filterDepth};
        const ExportResult p = exportProfile(profile, path(std::string(c.name) + "_p"), options);
        const ExportResult a =
            exportAverage(average, 0.5f, path(std::string(c.name) + "_a"), options);
        ASSERT_TRUE(p.ok && a.ok) << c.name;
        EXPECT_EQ(depthsWritten(p.path, 1), c.written) << c.name;
        EXPECT_EQ(depthsWritten(a.path, 2), c.written) << c.name;
        EXPECT_EQ(p.rowsWritten, c.written.size()) << c.name;
        EXPECT_EQ(a.rowsWritten, c.written.size()) << c.name;
    }
}

// Every format reports a folder it cannot write into and a disk that fills up, and never calls
// such a file written.
TEST_F(ExportWriterTest, WriteFailuresAreReportedWithThePathForEveryFormat) {
    std::ofstream(path("plain")) << "a regular file, not a folder";
    // /dev/full accepts the open and fails at the flush, like a disk that fills up.
    const bool full = fs::exists("/dev/full");
    const auto expectFailure = [](const ExportResult& r, const std::string& file, bool opened) {
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.path, file);
        ASSERT_TRUE(r.failure.has_value());
        EXPECT_EQ(exportFailureMessage(*r.failure).type, BoxType::WarningOkCancel);
        const Text expected =
            opened
                ? Text{"写入导出文件" + file + "失败，文件不完整！",
                       "Failed to write export file : " + file + ". The file is incomplete."}
                : Text{"无法创建导出文件" + file + "！", "Failed to create export file : " + file};
        EXPECT_EQ(exportFailureMessage(*r.failure).text, expected);
    };
    const ExportFormat formats[] = {
        ExportFormat::Csv,           ExportFormat::Hypack,     ExportFormat::Text,
        ExportFormat::KongsbergAsvp, ExportFormat::CarisSvp,   ExportFormat::HypackTimed,
        ExportFormat::SonardynePro,  ExportFormat::Unb,        ExportFormat::IxBlue,
        ExportFormat::HipapUsr,      ExportFormat::CsvMetadata};
    for (const ExportFormat format : formats) {
        SCOPED_TRACE(int(format));
        ExportOptions options{format, true, false, 0.5f};
        options.cast = {CastTime{2014, 3, 5, 2, 20, 30}, CastPosition{-0.5, 123.5}, 12345678,
                        "cast", "2014-03-05_102030_N.bin"};
        const std::string extension = withExportExtension("", format);
        expectFailure(exportProfile(kProfile, path("plain/out"), options),
                      path("plain/out") + extension, false);
        // Under the name the writer gives the file.
        std::error_code linkedBefore;
        fs::create_symlink("/dev/full", path("full" + extension), linkedBefore);
        if (full) {
            expectFailure(exportProfile(kProfile, path("full" + extension), options),
                          path("full" + extension), true);
        }
    }
    // The average's writer, and a long file that fails already while it is written.
    const ExportOptions csv{ExportFormat::Csv, true, false, 0.5f};
    expectFailure(exportAverage(kAverage, 0.5f, path("plain/avg"), csv), path("plain/avg.csv"),
                  false);
    if (full) {
        const std::vector<ProfilePoint> many(20000, ProfilePoint{1.0, 1500.0, 10.0});
        expectFailure(exportAverage(kAverage, 0.5f, path("full.csv"), csv), path("full.csv"), true);
        expectFailure(exportProfile(many, path("full.csv"), csv), path("full.csv"), true);
    }
}

TEST_F(ExportWriterTest, AverageHasNoHypackFormAndWritesNothingForIt) {
    const ExportResult result =
        exportAverage(kAverage, 0.5f, path("avg"), {ExportFormat::Hypack, true, false, 0.5f});
    EXPECT_FALSE(result.ok);
    ASSERT_TRUE(result.failure.has_value());
    EXPECT_EQ(exportFailureMessage(*result.failure).type, BoxType::WarningOkCancel);
    EXPECT_EQ(exportFailureMessage(*result.failure).text.en,
              "Average data can not be exported in HYPACK format!");
    EXPECT_EQ(exportFailureMessage(*result.failure).text.zh, "平均声速数据不能导出为HYPACK格式！");
    EXPECT_TRUE(fs::is_empty(dir_));
}

}  // namespace
}  // namespace quorvane
