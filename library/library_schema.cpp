#include "library/library_schema.h"

#include <string>

#include "library/sqlite_handles.h"

namespace quorvane {

namespace {

// Step n takes a file from version n - 1 to n. A step once released is never edited: files
// out there were made by it. Times are "YYYY-MM-DD HH:MM:SS", which sort as text.
constexpr const char* kSteps[kLibrarySchemaVersion] = {
    // 1: the casts, keyed by their raw file's SHA-256, and what was exported or sent of them.
    R"sql(
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
)sql",
    // 2: a season's library is listed by date and area, and a cast's exports looked up by
    // cast; without these each is a scan of every row.
    R"sql(
CREATE INDEX casts_by_local_time ON casts(local_time);
CREATE INDEX casts_by_latitude ON casts(latitude);
CREATE INDEX exports_by_cast ON exports(cast_id);
)sql",
};

int userVersion(sqlite3* db) {
    Statement query(db, "PRAGMA user_version");
    return query.prepared() && query.step() == SQLITE_ROW ? int(query.integer(0)) : -1;
}

}  // namespace

SchemaOutcome migrateLibrary(sqlite3* db) {
    const int found = userVersion(db);
    if (found < 0) {
        return {SchemaProblem::Failed, found};
    }
    if (found > kLibrarySchemaVersion) {
        return {SchemaProblem::Newer, found};
    }
    for (int version = found; version < kLibrarySchemaVersion;) {
        Transaction transaction(db);
        if (!transaction.begun()) {
            return {SchemaProblem::Failed, found};
        }
        // Another program may have migrated while this one waited for the lock.
        version = userVersion(db);
        if (version < 0) {
            return {SchemaProblem::Failed, found};
        }
        if (version >= kLibrarySchemaVersion) {
            break;
        }
        const std::string setVersion = "PRAGMA user_version = " + std::to_string(version + 1);
        if (!execute(db, kSteps[version]) || !execute(db, setVersion.c_str()) ||
            !transaction.commit()) {
            return {SchemaProblem::Failed, found};
        }
        ++version;
    }
    return {SchemaProblem::None, found};
}

}  // namespace quorvane
