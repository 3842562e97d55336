#pragma once

#include <sqlite3.h>

namespace quorvane {

// The schema version a library file carries in PRAGMA user_version; 0 is a new, empty file.
inline constexpr int kLibrarySchemaVersion = 2;

enum class SchemaProblem { None, Newer, Failed };
struct SchemaOutcome {
    SchemaProblem problem = SchemaProblem::None;
    int version = 0;  // what the file carried before
};

// Brings the file up to kLibrarySchemaVersion, one step per transaction: a program killed
// midway leaves the file at the step before, and the next open carries on from there. A file
// of a newer version is left alone.
SchemaOutcome migrateLibrary(sqlite3* db);

}  // namespace quorvane
