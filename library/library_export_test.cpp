#include "library/library_export.h"

#include <gtest/gtest.h>

#include "common/path_names.h"
#include "common/testing/temp_dir_test.h"

namespace quorvane {
namespace {

using LibraryExportTest = test::TempDirTest;

const std::string kHashA(64, 'a');
const std::string kHashB(64, 'b');

// Two casts through the library and back: one placed, with UTC and a source text that needs
// escaping in every format; one with neither, nor a fitted profile yet.
std::vector<LibraryCast> twoCasts(const std::string& file) {
    auto library = CastLibrary::open(file);
    CastRecord a;
    a.contentSha256 = kHashA;
    a.deviceId = 1234;
    a.fileName = "2026-12-07_101500_A.bin";
    a.filePath = "/survey/2026-12-07_101500_A.bin";
    a.localTime = {2026, 12, 7, 10, 15, 0};
    a.utcTime = CastTime{2026, 12, 7, 2, 15, 0};
    a.position = CastPosition{22.2855, 114.1577};
    a.positionSource = "interpolated from navigation log \"bay, day 1\".log";
    a.recordCount = 9400;
    a.profile = {{0, 1490, 25}, {30, 1510, 18}, {94, 1690, 4}};
    CastRecord b;
    b.contentSha256 = kHashB;
    b.deviceId = 1234;
    b.fileName = "2026-12-08_090000_B.bin";
    b.filePath = "/survey/2026-12-08_090000_B.bin";
    b.localTime = {2026, 12, 8, 9, 0, 0};
    library.value->recordCast(b);
    library.value->recordCast(a);
    return *library.value->list().value;
}

TEST_F(LibraryExportTest, TheListingInEachFormat) {
    const std::vector<LibraryCast> casts = twoCasts(path("casts.sqlite"));
    struct Case {
        ListFormat format;
        const char* file;
        std::string bytes;
        size_t written, withoutPosition;
    };
    const Case cases[] = {
        {ListFormat::Kml, "casts.kml",
         R"(<?xml version="1.0" encoding="UTF-8"?>
<kml xmlns="http://www.opengis.net/kml/2.2">
<Document>
  <name>Quorvane casts</name>
  <Placemark>
    <name>2026-12-07_101500_A.bin</name>
    <TimeStamp><when>2026-12-07T02:15:00Z</when></TimeStamp>
    <ExtendedData>
      <Data name="id"><value>2</value></Data>
      <Data name="file_name"><value>2026-12-07_101500_A.bin</value></Data>
      <Data name="local_time"><value>2026-12-07 10:15:00</value></Data>
      <Data name="utc_time"><value>2026-12-07T02:15:00Z</value></Data>
      <Data name="position_source"><value>interpolated from navigation log &quot;bay, day 1&quot;.log</value></Data>
      <Data name="device_id"><value>1234</value></Data>
      <Data name="records"><value>9400</value></Data>
      <Data name="maximum_depth_m"><value>94.00</value></Data>
      <Data name="surface_sound_velocity_ms"><value>1490.00</value></Data>
      <Data name="harmonic_mean_sound_velocity_ms"><value>1566.67</value></Data>
      <Data name="minimum_sound_velocity_ms"><value>1490.00</value></Data>
      <Data name="maximum_sound_velocity_ms"><value>1690.00</value></Data>
      <Data name="minimum_temperature_c"><value>4.000</value></Data>
      <Data name="maximum_temperature_c"><value>25.000</value></Data>
      <Data name="file_path"><value>/survey/2026-12-07_101500_A.bin</value></Data>
      <Data name="sha256"><value>)" +
             kHashA + R"(</value></Data>
    </ExtendedData>
    <Point><coordinates>114.1577000,22.2855000</coordinates></Point>
  </Placemark>
</Document>
</kml>
)",
         1, 1},
        {ListFormat::GeoJson, "casts.geojson",
         R"({"type":"FeatureCollection","features":[
{"type":"Feature","geometry":{"type":"Point","coordinates":[114.1577000,22.2855000]},"properties":{"id":2,"file_name":"2026-12-07_101500_A.bin","local_time":"2026-12-07 10:15:00","utc_time":"2026-12-07T02:15:00Z","position_source":"interpolated from navigation log \"bay, day 1\".log","device_id":1234,"records":9400,"maximum_depth_m":94.00,"surface_sound_velocity_ms":1490.00,"harmonic_mean_sound_velocity_ms":1566.67,"minimum_sound_velocity_ms":1490.00,"maximum_sound_velocity_ms":1690.00,"minimum_temperature_c":4.000,"maximum_temperature_c":25.000,"file_path":"/survey/2026-12-07_101500_A.bin","sha256":")" +
             kHashA + R"("}}
]}
)",
         1, 1},
        {ListFormat::Csv, "casts.csv",
         "id,file_name,local_time,utc_time,latitude,longitude,position_source,device_id,records,"
         "maximum_depth_m,surface_sound_velocity_ms,harmonic_mean_sound_velocity_ms,"
         "minimum_sound_velocity_ms,maximum_sound_velocity_ms,minimum_temperature_c,"
         "maximum_temperature_c,file_path,sha256\r\n"
         "2,2026-12-07_101500_A.bin,2026-12-07 10:15:00,2026-12-07T02:15:00Z,22.2855000,"
         "114.1577000,\"interpolated from navigation log \"\"bay, day 1\"\".log\",1234,9400,94.00,"
         "1490.00,1566.67,1490.00,1690.00,4.000,25.000,/survey/2026-12-07_101500_A.bin," +
             kHashA +
             "\r\n"
             "1,2026-12-08_090000_B.bin,2026-12-08 09:00:00,,,,,1234,0,,,,,,,,"
             "/survey/2026-12-08_090000_B.bin," +
             kHashB + "\r\n",
         2, 0},
        {ListFormat::Json, "casts.json",
         R"([
{"id":2,"file_name":"2026-12-07_101500_A.bin","local_time":"2026-12-07 10:15:00","utc_time":"2026-12-07T02:15:00Z","latitude":22.2855000,"longitude":114.1577000,"position_source":"interpolated from navigation log \"bay, day 1\".log","device_id":1234,"records":9400,"maximum_depth_m":94.00,"surface_sound_velocity_ms":1490.00,"harmonic_mean_sound_velocity_ms":1566.67,"minimum_sound_velocity_ms":1490.00,"maximum_sound_velocity_ms":1690.00,"minimum_temperature_c":4.000,"maximum_temperature_c":25.000,"file_path":"/survey/2026-12-07_101500_A.bin","sha256":")" +
             kHashA + R"("},
{"id":1,"file_name":"2026-12-08_090000_B.bin","local_time":"2026-12-08 09:00:00","utc_time":null,"latitude":null,"longitude":null,"position_source":"","device_id":1234,"records":0,"maximum_depth_m":null,"surface_sound_velocity_ms":null,"harmonic_mean_sound_velocity_ms":null,"minimum_sound_velocity_ms":null,"maximum_sound_velocity_ms":null,"minimum_temperature_c":null,"maximum_temperature_c":null,"file_path":"/survey/2026-12-08_090000_B.bin","sha256":")" +
             kHashB + R"("}
]
)",
         2, 0},
    };
    for (const Case& c : cases) {
        const auto exported = exportList(casts, c.format, path(c.file));
        ASSERT_TRUE(exported.ok()) << exported.problem.en;
        EXPECT_EQ(test::slurp(path(c.file)), c.bytes) << c.file;
        EXPECT_EQ(exported.value->written, c.written) << c.file;
        EXPECT_EQ(exported.value->withoutPosition, c.withoutPosition) << c.file;
        EXPECT_EQ(listFormatNamed(extensionOf(c.file)), c.format) << c.file;
    }
    EXPECT_EQ(exportList(casts, ListFormat::Csv, path("no/such/folder/casts.csv")).problem.en,
              path("no/such/folder/casts.csv") + " cannot be written!");
}

}  // namespace
}  // namespace quorvane
