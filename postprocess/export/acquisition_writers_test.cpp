// The acquisition packages' files, byte for byte against files written out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <optional>
#include <vector>

#include "common/testing/temp_dir_test.h"
#include "postprocess/export/export_messages.h"
#include "postprocess/export/export_writer.h"
#include "postprocess/export/testing/comma_locale.h"

namespace quorvane {
namespace {

using test::slurp;
using AcquisitionWritersTest = test::TempDirTest;

// The last point is too fast for its temperature for any sea water: its salinity stays 0.
const std::vector<ProfilePoint> kProfile{
    {0.5, 1500.1234, 12.3456}, {1.26, 1500.0051, 12.1}, {2.0, 1499.9949, -1.5}};

// 10:20:30 on the instrument's clock at UTC+8; half a degree south, east of 123°.
CastInfo fullCast() {
    return CastInfo{CastTime{2014, 3, 5, 2, 20, 30}, CastPosition{-0.5, 123.4567891234}, 12345678,
                    "cast", "2014-03-05_102030_N.bin"};
}

CastInfo withoutPosition() {
    CastInfo cast = fullCast();
    cast.position.reset();
    return cast;
}

TEST_F(AcquisitionWritersTest, EachFormatHasTheBytesOfItsPackage) {
    struct Case {
        const char* what;
        ExportFormat format;
        CastInfo cast;
        std::string fileName;
        std::string expected;
    };
    const std::string unbHead =
        "2  # version\n"
        "2014 064 02:20:30  # time of observation\n"
        "0000 000 00:00:00  # time of logging: not logged\n";
    const std::string unbTail =
        "0.000000 0.000000  # position of the ship when logged\n"
        "3  # observations\n"
        "# reserved 1 of 10\n# reserved 2 of 10\n# reserved 3 of 10\n# reserved 4 of 10\n"
        "# reserved 5 of 10\n# reserved 6 of 10\n# reserved 7 of 10\n# reserved 8 of 10\n"
        "# reserved 9 of 10\n# reserved 10 of 10\n"
        "1 0.500 1500.123 12.346 36.771 0.000 0\n"
        "2 1.260 1500.005 12.100 37.354 0.000 0\n"
        "3 2.000 1499.995 -1.500 0.000 0.000 0\n";
    const std::string csvRows =
        "depth, sound speed, temperature\r\n"
        "0.500,1500.123,12.346\r\n1.260,1500.005,12.100\r\n"
        "2.000,1499.995,-1.500\r\n";
    const Case cases[] = {
        {"sis", ExportFormat::KongsbergAsvp, fullCast(), "cast.asvp",
         "( SoundVelocity  1.0 0 201403050220 -0.5000000 123.4567891 -1 0 0 "
         "Quorvane_" QUORVANE_VERSION
         " P 0005 )\n0.00 1500.12\n0.50 1500.12\n1.26 1500.01\n2.00 1499.99\n12000.00 1675.80\n"},
        {"caris", ExportFormat::CarisSvp, fullCast(), "cast.svp",
         "[SVP_VERSION_2]\r\n" + path("cast.svp") +
             "\r\n"
             "Section 2014-064 02:20:30 -00:30:00.00 123:27:24.44\r\n"
             "0.500000 1500.123400\r\n1.260000 1500.005100\r\n2.000000 1499.994900\r\n"},
        {"caris, no position", ExportFormat::CarisSvp, withoutPosition(), "c2.svp",
         "[SVP_VERSION_2]\r\n" + path("c2.svp") +
             "\r\n"
             "Section 2014-064 02:20:30 00:00:00.00 00:00:00.00\r\n"
             "0.500000 1500.123400\r\n1.260000 1500.005100\r\n2.000000 1499.994900\r\n"},
        {"hypack", ExportFormat::HypackTimed, fullCast(), "cast.vel",
         "FTP NEW 3 -0.500000000 123.456789123 02:20 03/05/2014\r\n"
         "0.50 1500.12\r\n1.26 1500.01\r\n2.00 1499.99\r\n"},
        {"hypack, no position", ExportFormat::HypackTimed, withoutPosition(), "h2.vel",
         "FTP NEW 3 0.000000000 0.000000000 02:20 03/05/2014\r\n"
         "0.50 1500.12\r\n1.26 1500.01\r\n2.00 1499.99\r\n"},
        {"sonardyne", ExportFormat::SonardynePro, withoutPosition(), "cast.pro",
         "cast\n5/3/2014\n2:20:30\nProbe: Quorvane 12345678\n"
         "Source: 2014-03-05_102030_N.bin\n"
         "      0.5000   1500.1234     36.7714     12.3456\n"
         "      1.2600   1500.0051     37.3535     12.1000\n"
         "      2.0000   1499.9949      0.0000     -1.5000\n"},
        {"unb", ExportFormat::Unb, fullCast(), "cast.unb",
         unbHead + "-0.500000 123.456789  # position of observation\n" + unbTail},
        {"unb, no position", ExportFormat::Unb, withoutPosition(), "u2.unb",
         unbHead + "0.000000 0.000000  # position of observation\n" + unbTail},
        {"ixblue", ExportFormat::IxBlue, CastInfo{}, "cast.txt",
         "0.50 1500.12\n1.26 1500.01\n2.00 1499.99\n"},
        {"hipap", ExportFormat::HipapUsr, withoutPosition(), "cast.USR",
         "SSP Cast on 5/3/2014 2:20:30,\n0.5,1500.1\n1.3,1500.0\n2.0,1500.0\n"},
        {"csv", ExportFormat::CsvMetadata, fullCast(), "cast.csv",
         "Date, 2014-03-05\r\nTime, 02:20:30\r\nLatitude, -0.5000000\r\n"
         "Longitude, 123.4567891\r\n" +
             csvRows},
        {"csv, nothing known", ExportFormat::CsvMetadata, CastInfo{}, "c2.csv",
         "Date, unknown\r\nTime, unknown\r\nLatitude, unknown\r\nLongitude, unknown\r\n" + csvRows},
    };
    // The user's locale must not turn a single point into a comma.
    for (const bool comma : {false, true}) {
        std::optional<test::CommaLocale> locale;
        if (comma) {
            locale.emplace();
            ASSERT_TRUE(locale->active()) << "no locale with a decimal comma could be made";
        }
        for (const Case& c : cases) {
            ExportOptions options{c.format, true, false, 0.5f};
            options.cast = c.cast;
            const ExportResult result = exportProfile(kProfile, path(c.fileName), options);
            ASSERT_TRUE(result.ok)
                << c.what << ": " << exportFailureMessage(*result.failure).text.en;
            EXPECT_EQ(result.path, path(c.fileName)) << c.what;
            EXPECT_EQ(slurp(result.path), c.expected) << c.what << ", comma locale " << comma;
            const bool salinityColumn =
                c.format == ExportFormat::SonardynePro || c.format == ExportFormat::Unb;
            EXPECT_EQ(result.salinityUnfitted, salinityColumn ? 1u : 0u) << c.what;
            EXPECT_EQ(salinityWarning(result).has_value(), salinityColumn) << c.what;
        }
    }
}

TEST_F(AcquisitionWritersTest, MissingTimeOrPositionFollowsEachFormatsRule) {
    struct Case {
        ExportFormat format;
        CastInfo cast;
        std::string en;
    };
    CastInfo noTime = fullCast();
    noTime.time.reset();
    const Case cases[] = {
        {ExportFormat::KongsbergAsvp, withoutPosition(),
         "The Kongsberg SIS format needs the cast's position; no file was written!"},
        {ExportFormat::KongsbergAsvp, noTime,
         "The Kongsberg SIS format needs the cast's time; no file was written!"},
        {ExportFormat::KongsbergAsvp, CastInfo{},
         "The Kongsberg SIS format needs the cast's time and position; no file was written!"},
        {ExportFormat::CarisSvp, noTime,
         "The CARIS format needs the cast's time; no file was written!"},
        {ExportFormat::SonardynePro, noTime,
         "The Sonardyne format needs the cast's time; no file was written!"},
        {ExportFormat::HipapUsr, noTime,
         "The HiPAP format needs the cast's time; no file was written!"},
    };
    for (const Case& c : cases) {
        ExportOptions options{c.format, true, false, 0.5f};
        options.cast = c.cast;
        const ExportResult result = exportProfile(kProfile, path("refused"), options);
        EXPECT_FALSE(result.ok);
        ASSERT_TRUE(result.failure.has_value()) << c.en;
        EXPECT_EQ(exportFailureMessage(*result.failure).text.en, c.en);
        EXPECT_EQ(exportFailureMessage(*result.failure).type, BoxType::WarningOkCancel);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

TEST_F(AcquisitionWritersTest, NoNumberAndDepthsGoingUpAreRefusedNamingTheRow) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        std::vector<ProfilePoint> points;
        bool samples;
        std::string en;  // empty: written
    };
    const Case cases[] = {
        {{{0.5, 1500, 10}, {1.0, nan, 10}},
         false,
         "Row 2 holds a value that is not a number; no file was written!"},
        {{{0.5, 1500, -inf}},
         true,
         "Row 1 holds a value that is not a number; no file was written!"},
        {{{0.5, 1500, 10}, {1.0, 1500, 10}, {0.99, 1500, 10}},
         false,
         "The depth of row 3 (0.990 m) lies above the row before it (1.000 m); no file was "
         "written!"},
        // The raw samples come up again after the deepest one.
        {{{0.5, 1500, 10}, {1.0, 1500, 10}, {0.99, 1500, 10}}, true, ""},
        {{{0.5, 1500, 10}, {0.5, 1500, 10}}, false, ""},
    };
    for (const Case& c : cases) {
        ExportOptions options{ExportFormat::CsvMetadata, true, false, 0.5f};
        options.samples = c.samples;
        const ExportResult result = exportProfile(c.points, path("checked.csv"), options);
        EXPECT_EQ(result.ok, c.en.empty()) << c.en;
        if (!c.en.empty()) {
            ASSERT_TRUE(result.failure.has_value());
            EXPECT_EQ(exportFailureMessage(*result.failure).text.en, c.en);
            EXPECT_FALSE(std::filesystem::exists(path("checked.csv")));
        }
        std::filesystem::remove(path("checked.csv"));
    }
}

TEST_F(AcquisitionWritersTest, CarisFilesTakeFurtherCastsAsSections) {
    ExportOptions options{ExportFormat::CarisSvp, true, false, 0.5f};
    options.cast = fullCast();
    options.append = true;
    // A missing file is started whole; an existing one gets the section only.
    ASSERT_TRUE(exportProfile({kProfile.data(), 1}, path("casts.svp"), options).ok);
    options.cast.time = CastTime{2014, 12, 31, 23, 59, 59};
    options.cast.position = CastPosition{10.999999999, -73.99999};
    const ExportResult second = exportProfile({kProfile.data() + 1, 1}, path("casts"), options);
    ASSERT_TRUE(second.ok);
    EXPECT_TRUE(second.appended);
    EXPECT_EQ(slurp(path("casts.svp")),
              "[SVP_VERSION_2]\r\n" + path("casts.svp") +
                  "\r\n"
                  "Section 2014-064 02:20:30 -00:30:00.00 123:27:24.44\r\n0.500000 1500.123400\r\n"
                  "Section 2014-365 23:59:59 11:00:00.00 -73:59:59.96\r\n1.260000 1500.005100\r\n");

    // A last line without its end is closed first; a file of another kind is left alone.
    std::ofstream(path("edited.svp"), std::ios::binary) << "[SVP_VERSION_2]\r\nedited.svp";
    ASSERT_TRUE(exportProfile({kProfile.data(), 1}, path("edited.svp"), options).ok);
    EXPECT_EQ(slurp(path("edited.svp")),
              "[SVP_VERSION_2]\r\nedited.svp\r\n"
              "Section 2014-365 23:59:59 11:00:00.00 -73:59:59.96\r\n0.500000 1500.123400\r\n");
    std::ofstream(path("other.svp"), std::ios::binary) << "FTP NEW 2\r\n";
    const ExportResult refused = exportProfile(kProfile, path("other.svp"), options);
    EXPECT_FALSE(refused.ok);
    ASSERT_TRUE(refused.failure.has_value());
    EXPECT_EQ(exportFailureMessage(*refused.failure).text.en,
              path("other.svp") + " is not a CARIS file; the cast was not added to it!");
    EXPECT_EQ(slurp(path("other.svp")), "FTP NEW 2\r\n");

    // Without append the file is replaced.
    options.append = false;
    ASSERT_TRUE(exportProfile({kProfile.data(), 1}, path("casts.svp"), options).ok);
    EXPECT_EQ(slurp(path("casts.svp"))
                  .rfind("[SVP_VERSION_2]\r\n" + path("casts.svp") + "\r\nSection 2014-365", 0),
              0u);
}

}  // namespace
}  // namespace quorvane
