#include "library/cast_library.h"

#include <gtest/gtest.h>

#include <map>

#include <set>

#include "common/testing/temp_dir_test.h"
#include "library/sha256.h"
#include "library/sqlite_handles.h"

#if !defined(_WIN32)
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace quorvane {
namespace {

using CastLibraryTest = test::TempDirTest;

CastRecord castNamed(const std::string& name, const CastTime& local,
                     std::optional<CastPosition> position = std::nullopt) {
    CastRecord cast;
    cast.contentSha256 = sha256Hex(name);
    cast.deviceId = 1234;
    cast.fileName = name;
    cast.filePath = "/survey/" + name;
    cast.localTime = local;
    cast.position = position;
    cast.positionSource = position ? "typed" : "";
    cast.recordCount = 3;
    cast.settings = "depth_interval=1\n";
    cast.profile = {{0, 1490, 25}, {30, 1510, 18}, {94, 1690, 4}};
    return cast;
}

// A query's first value as text, on a connection of the test's own.
std::string sqlValue(const std::string& file, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    std::string value;
    {
        Statement query(db, sql);
        if (query.prepared() && query.step() == SQLITE_ROW) {
            value = query.text(0);
        }
    }
    sqlite3_close(db);
    return value;
}

TEST_F(CastLibraryTest, TheSameCastRecordedAgainIsUpdatedAndKeepsItsExports) {
    const std::string file = defaultLibraryPath(utf8OfPath(dir_));
    auto opened = CastLibrary::open(file);
    ASSERT_TRUE(opened.ok()) << opened.problem.en;
    CastLibrary& library = *opened.value;
    CastRecord cast = castNamed("A.bin", {2026, 12, 7, 10, 15, 0}, CastPosition{22.5, 114.25});
    cast.utcTime = CastTime{2026, 12, 7, 2, 15, 0};
    const auto first = library.recordCast(cast);
    ASSERT_TRUE(first.ok()) << first.problem.en;
    ASSERT_TRUE(
        library.recordExport(*first.value, {{2026, 12, 7, 3, 0, 0}, "SIS", "/out/A.asvp"}).ok());
    // Processed again from elsewhere, with another setting and a deeper profile.
    cast.filePath = "/moved/A.bin";
    cast.settings = "depth_interval=0.5\n";
    cast.profile.push_back({100, 1700, 3.5});
    EXPECT_EQ(library.recordCast(cast).value, first.value);
    ASSERT_TRUE(
        library.recordExport(cast.contentSha256, {{2026, 12, 7, 2, 50, 0}, "send", "10.0.0.5:4001"})
            .ok());
    ASSERT_TRUE(library.recordCast(castNamed("B.bin", {2026, 12, 6, 8, 0, 0})).ok());

    const auto listed = library.list();
    ASSERT_TRUE(listed.ok());
    ASSERT_EQ(listed.value->size(), 2u);
    EXPECT_EQ((*listed.value)[0].record.fileName, "B.bin");  // the older cast first
    EXPECT_TRUE((*listed.value)[0].record.profile.empty());

    const auto shown = library.show(*first.value);
    ASSERT_TRUE(shown.ok()) << shown.problem.en;
    const CastRecord& stored = shown.value->record;
    EXPECT_EQ(stored.filePath, "/moved/A.bin");
    EXPECT_EQ(stored.settings, "depth_interval=0.5\n");
    EXPECT_EQ(stored.localTime, (CastTime{2026, 12, 7, 10, 15, 0}));
    EXPECT_EQ(stored.utcTime, (CastTime{2026, 12, 7, 2, 15, 0}));
    EXPECT_EQ(stored.position, (CastPosition{22.5, 114.25}));
    ASSERT_EQ(stored.profile.size(), 4u);
    EXPECT_EQ(stored.profile[3].temperature, 3.5);
    EXPECT_EQ(shown.value->facts->maximumDepth, 100.0);
    const std::vector<CastExport> exports{{{2026, 12, 7, 2, 50, 0}, "send", "10.0.0.5:4001"},
                                          {{2026, 12, 7, 3, 0, 0}, "SIS", "/out/A.asvp"}};
    EXPECT_EQ(shown.value->exports, exports);

    EXPECT_EQ(library.show(99).problem.en, "The cast library " + file + " holds no cast 99");
    EXPECT_FALSE(library.recordExport(99, {{}, "SIS", "x"}).ok());
    EXPECT_FALSE(library.recordExport(sha256Hex("C.bin"), {{}, "SIS", "x"}).ok());
    cast.contentSha256 = "";
    EXPECT_FALSE(library.recordCast(cast).ok());
}

TEST_F(CastLibraryTest, ListingFiltersByLocalTimeAndDistance) {
    auto opened = CastLibrary::open(path("casts.sqlite"));
    ASSERT_TRUE(opened.ok()) << opened.problem.en;
    CastLibrary& library = *opened.value;
    // One degree of a great circle is 111.195 km; at 60° a degree of longitude is half that.
    struct Placed {
        const char* name;
        CastTime local;
        std::optional<CastPosition> position;
    };
    const Placed casts[] = {
        {"equator_0.5E", {2026, 3, 2, 9, 0, 0}, CastPosition{0.0, 0.5}},      // 55.6 km from 0,0
        {"equator_1.2E", {2026, 3, 1, 9, 0, 0}, CastPosition{0.0, 1.2}},      // 133.4 km
        {"dateline_east", {2026, 3, 3, 9, 0, 0}, CastPosition{0.0, 179.95}},  // 5.6 km from 180
        {"dateline_west", {2026, 3, 4, 9, 0, 0}, CastPosition{0.0, -179.95}},
        {"north_60", {2026, 3, 5, 0, 0, 0}, CastPosition{60.0, 1.9}},  // 105.6 km from 60,0
        {"nowhere", {2026, 3, 6, 9, 0, 0}, std::nullopt},
    };
    for (const Placed& cast : casts) {
        ASSERT_TRUE(library.recordCast(castNamed(cast.name, cast.local, cast.position)).ok());
    }
    struct Case {
        LibraryFilter filter;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {{},
         {"equator_1.2E", "equator_0.5E", "dateline_east", "dateline_west", "north_60", "nowhere"}},
        {{CastTime{2026, 3, 5, 0, 0, 0}}, {"north_60", "nowhere"}},
        {{std::nullopt, NearFilter{{0, 0}, 100}}, {"equator_0.5E"}},
        {{std::nullopt, NearFilter{{0, 0}, 134}}, {"equator_1.2E", "equator_0.5E"}},
        {{CastTime{2026, 3, 2, 0, 0, 0}, NearFilter{{0, 0}, 134}}, {"equator_0.5E"}},
        {{std::nullopt, NearFilter{{0, 180}, 12}}, {"dateline_east", "dateline_west"}},
        {{std::nullopt, NearFilter{{0, -179.9}, 12}}, {"dateline_west"}},
        {{std::nullopt, NearFilter{{60, 0}, 106}}, {"north_60"}},
        {{std::nullopt, NearFilter{{60, 0}, 105}}, {}},
    };
    for (const Case& c : cases) {
        const auto listed = library.list(c.filter);
        ASSERT_TRUE(listed.ok()) << listed.problem.en;
        std::vector<std::string> names;
        for (const LibraryCast& cast : *listed.value) names.push_back(cast.record.fileName);
        EXPECT_EQ(names, c.names) << names.size();
    }
    EXPECT_NEAR(distanceKm({0, 0}, {0, 1}), 111.1951, 1e-4);
    EXPECT_NEAR(distanceKm({60, 0}, {60, 1.9}), 105.6317, 1e-4);
    EXPECT_EQ(parseSince("2026-03-05"), (CastTime{2026, 3, 5, 0, 0, 0}));
    EXPECT_EQ(parseSince("2026-03-05 08:30:00"), (CastTime{2026, 3, 5, 8, 30, 0}));
    EXPECT_FALSE(parseSince("2026-02-30"));
}

// The first released schema, as a file made by that version holds it.
constexpr const char* kVersion1 = R"sql(
CREATE TABLE casts (
    id INTEGER PRIMARY KEY,
    content_sha256 TEXT NOT NULL UNIQUE,
    device_id INTEGER NOT NULL,
    file_name TEXT NOT NULL,
    file_path TEXT NOT NULL,
    local_time TEXT NOT NULL,
    utc_time TEXT,
    latitude REAL,
    longitude REAL,
    position_source TEXT NOT NULL,
    record_count INTEGER NOT NULL,
    maximum_depth REAL,
    surface_sound_velocity REAL,
    harmonic_mean_sound_velocity REAL,
    minimum_sound_velocity REAL,
    maximum_sound_velocity REAL,
    minimum_temperature REAL,
    maximum_temperature REAL,
    settings TEXT NOT NULL,
    profile BLOB NOT NULL
);
CREATE TABLE exports (
    id INTEGER PRIMARY KEY,
    cast_id INTEGER NOT NULL REFERENCES casts(id) ON DELETE CASCADE,
    time_utc TEXT NOT NULL,
    kind TEXT NOT NULL,
    target TEXT NOT NULL
);
INSERT INTO casts VALUES (7, 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa', 1234,
    'old.bin', '/old.bin', '2025-05-01 12:00:00', NULL, 22.5, 114.25, 'typed', 3, 94, 1490,
    1566.6666666666667, 1490, 1690, 4, 25, '', x'');
INSERT INTO exports VALUES (1, 7, '2025-05-01 13:00:00', 'CSV', '/old.csv');
PRAGMA user_version = 1;
)sql";

// The cast before is the same instrument's, by local time, the first recorded of a tie.
TEST_F(CastLibraryTest, ThePreviousCastIsTheSameInstrumentsJustBefore) {
    auto opened = CastLibrary::open(path("casts.sqlite"));
    ASSERT_TRUE(opened.ok()) << opened.problem.en;
    CastLibrary& library = *opened.value;
    const std::pair<const char*, int64_t> casts[] = {
        {"first", 1}, {"other_device", 2}, {"second", 1}, {"same_time", 1}};
    const CastTime times[] = {
        {2026, 3, 1, 9, 0, 0}, {2026, 3, 2, 9, 0, 0}, {2026, 3, 3, 9, 0, 0}, {2026, 3, 3, 9, 0, 0}};
    for (size_t i = 0; i < std::size(casts); ++i) {
        CastRecord cast = castNamed(casts[i].first, times[i]);
        cast.deviceId = casts[i].second;
        ASSERT_TRUE(library.recordCast(cast).ok());
    }
    const auto listed = library.list();
    ASSERT_TRUE(listed.ok());
    std::map<std::string, std::string> previous;
    for (const LibraryCast& cast : *listed.value) {
        const auto found = library.previousOf(cast);
        ASSERT_TRUE(found.ok());
        previous[cast.record.fileName] = *found.value ? (*found.value)->record.fileName : "-";
        if (*found.value) {
            EXPECT_EQ((*found.value)->record.profile.size(), 3u);  // as show() gives it
        }
    }
    EXPECT_EQ(
        previous,
        (std::map<std::string, std::string>{
            {"first", "-"}, {"other_device", "-"}, {"second", "first"}, {"same_time", "second"}}));
}

TEST_F(CastLibraryTest, OlderFilesAreMigratedAndNewerOrForeignOnesRefused) {
    const std::string old = path("v1.sqlite");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(old.c_str(), &db), SQLITE_OK);
    ASSERT_TRUE(execute(db, kVersion1));
    sqlite3_close(db);
    {
        auto opened = CastLibrary::open(old);
        ASSERT_TRUE(opened.ok()) << opened.problem.en;
        const auto shown = opened.value->show(7);
        ASSERT_TRUE(shown.ok());
        EXPECT_EQ(shown.value->record.fileName, "old.bin");
        EXPECT_EQ(shown.value->exports.size(), 1u);
        EXPECT_EQ(opened.value->list({CastTime{2025, 5, 1, 0, 0, 0}}).value->size(), 1u);
    }
    EXPECT_EQ(sqlValue(old, "PRAGMA user_version"), "2");
    EXPECT_EQ(sqlValue(old,
                       "SELECT group_concat(name, ' ') FROM sqlite_master WHERE type = "
                       "'index' AND name NOT LIKE 'sqlite_%' ORDER BY name"),
              "casts_by_local_time casts_by_latitude exports_by_cast");
    EXPECT_EQ(sqlValue(old, "PRAGMA journal_mode"), "wal");

    const std::string newer = path("v3.sqlite");
    ASSERT_EQ(sqlite3_open(newer.c_str(), &db), SQLITE_OK);
    ASSERT_TRUE(execute(db, "PRAGMA user_version = 3"));
    sqlite3_close(db);
    EXPECT_EQ(
        CastLibrary::open(newer).problem,
        (Text{"投放记录库" + newer + "无法打开：其结构版本3来自更新的Quorvane，本程序只认识到版本2",
              "The cast library " + newer +
                  " cannot be opened: it was written by a newer Quorvane (schema version "
                  "3; this one knows up to 2)"}));

    const std::string foreign = path("notes.sqlite");
    std::ofstream(foreign, std::ios::binary) << std::string(4096, 'x');
    EXPECT_EQ(CastLibrary::open(foreign).problem.en,
              "The cast library " + foreign + " cannot be opened: file is not a database");
}

// The writer is a forked copy of this test program, killed mid-record: Windows has no fork.
#if !defined(_WIN32)
// A program killed while it records (the window closed by force, a power button) leaves every
// cast it had committed in a sound file.
TEST_F(CastLibraryTest, AKilledWriterLosesNoCommittedCast) {
    const std::string file = path("Data/quorvane.sqlite");
    const auto castNumber = [](int32_t i) {
        CastRecord cast = castNamed("cast " + std::to_string(i), {2026, 1, 1, 0, 0, 0});
        cast.profile.resize(500, {50, 1500, 10});  // a few pages a cast, as real ones take
        return cast;
    };
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(pipeEnds[0]);
        auto opened = CastLibrary::open(file);
        for (int32_t i = 0; opened.ok(); ++i) {
            if (!opened.value->recordCast(castNumber(i)).ok() ||
                ::write(pipeEnds[1], &i, sizeof i) != sizeof i) {
                break;
            }
        }
        _exit(1);
    }
    close(pipeEnds[1]);
    std::vector<int32_t> committed;
    int32_t number = 0;
    while (committed.size() < 100 && ::read(pipeEnds[0], &number, sizeof number) == sizeof number) {
        committed.push_back(number);
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    while (::read(pipeEnds[0], &number, sizeof number) == sizeof number) {
        committed.push_back(number);
    }
    close(pipeEnds[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself";
    ASSERT_GE(committed.size(), 100u);

    EXPECT_EQ(sqlValue(file, "PRAGMA integrity_check"), "ok");
    auto opened = CastLibrary::open(file);
    ASSERT_TRUE(opened.ok()) << opened.problem.en;
    const auto listed = opened.value->list();
    ASSERT_TRUE(listed.ok()) << listed.problem.en;
    std::set<std::string> stored;
    for (const LibraryCast& cast : *listed.value) {
        stored.insert(cast.record.contentSha256);
    }
    for (const int32_t i : committed) {
        EXPECT_TRUE(stored.count(castNumber(i).contentSha256)) << "cast " << i << " was lost";
    }
    // At most the one being recorded when the kill came is there unreported.
    EXPECT_LE(stored.size(), committed.size() + 1);
}
#endif

}  // namespace
}  // namespace quorvane
