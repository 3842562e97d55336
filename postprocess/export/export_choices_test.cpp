#include "postprocess/export/export_choices.h"

#include <gtest/gtest.h>

#include <limits>

#include "postprocess/export/export_messages.h"

namespace quorvane {
namespace {

// The filters are put together from the format table; the dialogs must still get these texts.
TEST(ExportChoices, DialogFiltersListTheFormatsOfTheKind) {
    // The three of the tables keep their filter indexes 1 to 3; the packages' formats follow.
    EXPECT_EQ(exportFilterOf(ExportKind::Raw, true),
              "(*.csv)|*.csv|HYPACK(*vel)|*.vel|(*txt)|*.txt|CSV metadata(*.csv)|*.csv||");
    // Only the description that is words has a Chinese text; the packages' names stay.
    EXPECT_EQ(exportFilterOf(ExportKind::Raw, false),
              "(*.csv)|*.csv|HYPACK(*vel)|*.vel|(*txt)|*.txt|CSV元数据(*.csv)|*.csv||");
    EXPECT_EQ(exportFilterOf(ExportKind::Fitting, true),
              "(*.csv)|*.csv|HYPACK(*vel)|*.vel|(*txt)|*.txt|Kongsberg SIS(*.asvp)|*.asvp|"
              "CARIS SVP(*.svp)|*.svp|HYPACK FTP NEW 3(*.vel)|*.vel|Sonardyne(*.pro)|*.pro|"
              "UNB(*.unb)|*.unb|iXBlue(*.txt)|*.txt|Kongsberg HiPAP(*.USR)|*.USR|"
              "CSV metadata(*.csv)|*.csv||");
    EXPECT_EQ(formatForFilterIndex(ExportKind::Raw, 4), ExportFormat::CsvMetadata);
    EXPECT_EQ(formatForFilterIndex(ExportKind::Fitting, 4), ExportFormat::KongsbergAsvp);
    EXPECT_EQ(formatForFilterIndex(ExportKind::Fitting, 11), ExportFormat::CsvMetadata);
    EXPECT_EQ(formatForFilterIndex(ExportKind::Fitting, 12), std::nullopt);
    EXPECT_EQ(exportFilterOf(ExportKind::Average, false), "(*.csv)|*.csv|(*txt)|*.txt||");
    // Without a dialog a package's file, named after the cast alone, holds the fitted profile
    // only: the samples in the same format would overwrite it.
    EXPECT_TRUE(writtenUnattended(ExportKind::Raw, ExportFormat::Hypack));
    EXPECT_FALSE(writtenUnattended(ExportKind::Raw, ExportFormat::CsvMetadata));
    EXPECT_TRUE(writtenUnattended(ExportKind::Fitting, ExportFormat::CsvMetadata));
    EXPECT_FALSE(writtenUnattended(ExportKind::Average, ExportFormat::Hypack));
}

TEST(ExportChoices, ExtensionIsAppendedUnlessTheLastFourCharactersMatchExactly) {
    struct Case {
        std::string path;
        ExportFormat format;
        std::string expected;
    };
    const Case cases[] = {
        {"out.csv", ExportFormat::Csv, "out.csv"},
        {"out.CSV", ExportFormat::Csv, "out.CSV.csv"},
        {"cast.csv", ExportFormat::Hypack, "cast.csv.vel"},
        {"txt", ExportFormat::Text, "txt.txt"},
        {"", ExportFormat::Csv, ".csv"},
        {"数据_平均声速.txt", ExportFormat::Text, "数据_平均声速.txt"},
        {"cast.usr", ExportFormat::HipapUsr, "cast.usr.USR"},
        {"cast", ExportFormat::CarisSvp, "cast.svp"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(withExportExtension(c.path, c.format), c.expected) << c.path;
    }
}

TEST(ExportChoices, FilterDepthBelowOneDecimetreIsRefusedOnlyWhileTheFilterIsOn) {
    struct Case {
        bool enabled;
        float depth;
        bool refused;
    };
    const Case cases[] = {
        {true, 0.0999f, true}, {true, 0.1f, false},  // single precision lies above 0.1
        {true, -1.0f, true},   {true, std::numeric_limits<float>::quiet_NaN(), true},
        {false, 0.05f, false}, {false, std::numeric_limits<float>::quiet_NaN(), false},
    };
    const Message refusal{BoxType::WarningOkCancel,
                          Text{"水深间隔不能小于0.1", "Depth interval can not be less than 0.1m!"}};
    for (const Case& c : cases) {
        const std::optional<ExportCheck> check = checkBeforeExport(1, c.enabled, c.depth);
        EXPECT_EQ(check.has_value(), c.refused) << c.enabled << " " << c.depth;
        if (check) {
            EXPECT_EQ(exportCheckMessage(ExportKind::Raw, *check), refusal);
        }
    }
}

// The default file names are checked where quorvane-cli writes them.
TEST(ExportChoices, EmptyListIsReportedBeforeTheFilterDepth) {
    const std::pair<ExportKind, Text> cases[] = {
        {ExportKind::Raw, {"当前无原始数据！", "No raw data！"}},
        {ExportKind::Fitting, {"当前无拟合数据！", "No Fitting data！"}},
        {ExportKind::Average,
         {"当前无平均声速数据，请点击“数据分析”菜单下“平均声速”菜单项设置平均声速！",
          "No Average data in the file. Please set Average Sound Velocity First!"}},
    };
    for (const auto& [kind, text] : cases) {
        const std::optional<ExportCheck> check = checkBeforeExport(0, true, 0.01f);
        ASSERT_TRUE(check.has_value());
        EXPECT_EQ(exportCheckMessage(kind, *check), (Message{BoxType::WarningOkCancel, text}));
        EXPECT_EQ(checkBeforeExport(1, true, 0.1f), std::nullopt);
    }
}

}  // namespace
}  // namespace quorvane
