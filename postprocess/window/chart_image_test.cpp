#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QSet>

#include "common/raw_format.h"
#include "common/testing/file_size_limit.h"
#include "common/testing/temp_dir_test.h"
#include "simulator/cast_generator.h"

namespace quorvane {
namespace {

class ChartImageTool : public test::TempDirTest {
  protected:
    int run(const QStringList& arguments) {
        QProcess tool;
        tool.setWorkingDirectory(QString::fromStdString(dir_.string()));
        tool.start(QUORVANE_CHART_PATH, arguments);
        EXPECT_TRUE(tool.waitForFinished(120000));
        errors_ = tool.readAllStandardError().toStdString();
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    }
    std::string errors_;
};

TEST_F(ChartImageTool, SavesTheWindowsBitmapOfACastAndTheSamePixelsAsPng) {
    sim::CastOptions options;
    options.maxDepth = 40;
    write("cast one.bin", sim::generateCast(options));
    ASSERT_EQ(run({"cast one.bin", "--out", "charts", "--png"}), 0);

    const std::string bmp = test::slurp(dir_ / "charts" / "cast one.bmp");
    const QImage png(QString::fromStdString((dir_ / "charts" / "cast one.png").string()));
    ASSERT_FALSE(png.isNull());
    ASSERT_GT(bmp.size(), 54u);
    const auto le32 = [&](size_t at) {
        return readU32(reinterpret_cast<const uint8_t*>(&bmp[at]));
    };
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(le32(2), bmp.size());
    const int width = int(le32(18)), height = int(le32(22));
    EXPECT_EQ(width, png.width());
    EXPECT_EQ(height, png.height());
    ASSERT_EQ(uint8_t(bmp[28]), 32);  // the offscreen screen's depth
    // Rows bottom-up, blue-green-red-zero: every pixel as the window painted it.
    int differing = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t at = 54 + (size_t(height - 1 - y) * size_t(width) + size_t(x)) * 4;
            const QRgb p = png.pixel(x, y);
            differing += uint8_t(bmp[at]) != qBlue(p) || uint8_t(bmp[at + 1]) != qGreen(p) ||
                         uint8_t(bmp[at + 2]) != qRed(p);
        }
    }
    EXPECT_EQ(differing, 0);
    // A chart with curves: more than the background and the frame's few colours.
    QSet<QRgb> colours;
    for (int y = 0; y < height; y += 2) {
        for (int x = 0; x < width; x += 2) colours.insert(png.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 4);
}

TEST_F(ChartImageTool, ACastThatCannotBeReadWritesNoChartAndFails) {
    write("broken.bin", {1, 2, 3});
    EXPECT_EQ(run({"missing.bin", "broken.bin", "--out", "charts"}), 1);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "charts" / "missing.bmp"));
    EXPECT_EQ(run({"--out", "charts"}), 2);
    EXPECT_EQ(run({"x.bin", "--lang", "fr"}), 2);
}

TEST_F(ChartImageTool, AChartThatCannotBeWrittenIsNeverReportedAsWritten) {
    sim::CastOptions options;
    options.maxDepth = 20;
    write("cast.bin", sim::generateCast(options));
    std::ofstream(dir_ / "plain") << "a regular file, not a folder";
    EXPECT_EQ(run({"cast.bin", "--out", "plain/charts"}), 1);
    EXPECT_NE(errors_.find("cannot create"), std::string::npos) << errors_;

#if !defined(_WIN32)
    // A disk that fills up after the first few kilobytes of the bitmap: the tool says so and
    // leaves no half chart behind.
    int status = 0;
    {
        const test::FileSizeLimit limit(4096);
        status = run({"cast.bin", "--out", "charts"});
    }
    EXPECT_EQ(status, 1);
    EXPECT_NE(errors_.find("cast.bin: no chart written"), std::string::npos) << errors_;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "charts" / "cast.bmp"));
#endif
}

}  // namespace
}  // namespace quorvane
