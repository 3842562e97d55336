#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/message.h"
#include "library/cast_facts.h"
#include "postprocess/export/cast_position.h"
#include "postprocess/export/cast_time.h"
#include "postprocess/rawcast/profile_point.h"

struct sqlite3;

namespace quorvane {

// What processing a cast leaves in the library. The raw file's SHA-256 is the key: the same
// cast processed again (renamed, moved, with other settings) replaces its record and keeps its
// id and its exports.
struct CastRecord {
    std::string contentSha256;  // 64 lowercase hex digits (fileSha256)
    int64_t deviceId = 0;
    std::string fileName;
    std::string filePath;
    CastTime localTime{};
    std::optional<CastTime> utcTime{};
    std::optional<CastPosition> position{};
    std::string positionSource;           // "typed", "interpolated from navigation log …"
    int64_t recordCount = 0;              // raw records of the cast
    std::string settings;                 // key=value lines, as processed
    std::vector<ProfilePoint> profile{};  // the fitted profile
};

// One export or send of a cast.
struct CastExport {
    CastTime utcTime{};
    std::string kind;    // the format or the way it was sent
    std::string target;  // the file written, or where it was sent

    bool operator==(const CastExport&) const = default;
};

struct LibraryCast {
    int64_t id = 0;
    CastRecord record{};
    std::optional<CastFacts> facts{};  // nothing for an empty profile
    // Filled by show() only; a listing leaves out the profile and the exports.
    std::vector<CastExport> exports{};
};

struct NearFilter {
    CastPosition centre{};
    double kilometres = 0.0;
};

struct LibraryFilter {
    // Casts at or after this local cast time: every cast has a local time, from the
    // instrument's clock, while its UTC time is known only where the offset was given.
    std::optional<CastTime> since{};
    // Casts within this great-circle distance; a cast without a position is never near.
    std::optional<NearFilter> near{};
};

// A value, or why there is none.
template <class T>
struct LibraryResult {
    std::optional<T> value{};
    Text problem{};

    bool ok() const { return value.has_value(); }
};

// <folder>/Data/quorvane.sqlite: the library of the casts processed in a working folder.
std::string defaultLibraryPath(const std::string& utf8Folder);

// "YYYY-MM-DD" (its midnight) or "YYYY-MM-DD HH:MM:SS", as a listing's "since" takes it.
std::optional<CastTime> parseSince(std::string_view text);

// Great-circle distance on the mean Earth sphere (radius 6371.0088 km), by the haversine.
double distanceKm(const CastPosition& a, const CastPosition& b);

// The library file, open. Every record is one transaction in a write-ahead log synced at each
// commit: a program killed at any moment leaves every recorded cast in place.
class CastLibrary {
  public:
    // Opens or makes the file (and its folder), bringing an older schema up to date.
    static LibraryResult<CastLibrary> open(const std::string& utf8Path);

    const std::string& path() const { return path_; }

    // The cast's id; computes and stores its facts from the profile.
    LibraryResult<int64_t> recordCast(const CastRecord& cast);
    // The export's id; by the cast's id or its raw file's SHA-256.
    LibraryResult<int64_t> recordExport(int64_t castId, const CastExport& entry);
    LibraryResult<int64_t> recordExport(const std::string& contentSha256, const CastExport& entry);

    // By local cast time, oldest first.
    LibraryResult<std::vector<LibraryCast>> list(const LibraryFilter& filter = {});
    // One cast with its profile and its exports, oldest first.
    LibraryResult<LibraryCast> show(int64_t id);
    // The same instrument's cast just before this one by local time (of two at the same time,
    // the one recorded first), as show() gives it; the value holds nothing when there is none.
    LibraryResult<std::optional<LibraryCast>> previousOf(const LibraryCast& cast);

  private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    CastLibrary(std::unique_ptr<sqlite3, Closer> db, std::string path)
        : db_(std::move(db)), path_(std::move(path)) {}
    Text failure(const char* zh, const char* en) const;

    std::unique_ptr<sqlite3, Closer> db_;
    std::string path_;
};

}  // namespace quorvane
