#include "library/cast_library.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <system_error>

#include "common/file_io.h"
#include "common/strformat.h"
#include "library/library_schema.h"
#include "library/sqlite_handles.h"

namespace quorvane {

namespace {

// The columns of casts a listing reads, in this order after the id; a record writes these and
// the profile.
constexpr std::array<const char*, 18> kColumns = {"content_sha256",
                                                  "device_id",
                                                  "file_name",
                                                  "file_path",
                                                  "local_time",
                                                  "utc_time",
                                                  "latitude",
                                                  "longitude",
                                                  "position_source",
                                                  "record_count",
                                                  "maximum_depth",
                                                  "surface_sound_velocity",
                                                  "harmonic_mean_sound_velocity",
                                                  "minimum_sound_velocity",
                                                  "maximum_sound_velocity",
                                                  "minimum_temperature",
                                                  "maximum_temperature",
                                                  "settings"};

std::string columnList() {
    std::string list;
    for (const char* column : kColumns) {
        list += std::string(list.empty() ? "" : ", ") + column;
    }
    return list;
}

// A listing's columns, and for one cast shown also its profile, after them.
std::string selectCasts(bool withProfile) {
    return "SELECT id, " + columnList() + (withProfile ? ", profile" : "") + " FROM casts ";
}

const std::string& upsertCast() {
    static const std::string sql = [] {
        std::string values, updates;
        for (size_t i = 0; i <= kColumns.size(); ++i) {
            values += (i == 0 ? "?" : ", ?") + std::to_string(i + 1);
        }
        for (size_t i = 1; i < kColumns.size(); ++i) {
            updates += std::string(kColumns[i]) + " = excluded." + kColumns[i] + ", ";
        }
        return "INSERT INTO casts (" + columnList() + ", profile) VALUES (" + values +
               ") ON CONFLICT (content_sha256) DO UPDATE SET " + updates +
               "profile = excluded.profile RETURNING id";
    }();
    return sql;
}

constexpr const char* kRecordFailedZh = "无法将投放记入投放记录库%s：%s";
constexpr const char* kRecordFailedEn = "The cast could not be recorded in the cast library %s: %s";
constexpr const char* kExportFailedZh = "无法将导出记入投放记录库%s：%s";
constexpr const char* kExportFailedEn =
    "The export could not be recorded in the cast library %s: %s";
constexpr const char* kReadFailedZh = "无法读取投放记录库%s：%s";
constexpr const char* kReadFailedEn = "The cast library %s cannot be read: %s";

Text noCast(const std::string& library, int64_t id) {
    return {strformat("投放记录库%s中没有编号为%lld的投放", library.c_str(), (long long)id),
            strformat("The cast library %s holds no cast %lld", library.c_str(), (long long)id)};
}

constexpr double kEarthRadiusKm = 6371.0088;  // the IUGG mean radius
constexpr double kRadians = std::numbers::pi / 180.0;

bool isSha256(std::string_view text) {
    return text.size() == 64 && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

std::optional<CastTime> timeOf(const Statement& row, int column) {
    return row.isNull(column) ? std::nullopt : parseCastTime(row.text(column));
}

// A listing's row: the id, then kColumns.
LibraryCast castOf(const Statement& row) {
    LibraryCast cast;
    cast.id = row.integer(0);
    CastRecord& record = cast.record;
    record.contentSha256 = row.text(1);
    record.deviceId = row.integer(2);
    record.fileName = row.text(3);
    record.filePath = row.text(4);
    record.localTime = timeOf(row, 5).value_or(CastTime{});
    record.utcTime = timeOf(row, 6);
    if (!row.isNull(7) && !row.isNull(8)) {
        record.position = CastPosition{row.real(7), row.real(8)};
    }
    record.positionSource = row.text(9);
    record.recordCount = row.integer(10);
    if (!row.isNull(11)) {
        cast.facts = CastFacts{row.real(11), row.real(12), row.real(13), row.real(14),
                               row.real(15), row.real(16), row.real(17)};
    }
    record.settings = row.text(18);
    return cast;
}

}  // namespace

void CastLibrary::Closer::operator()(sqlite3* db) const {
    // close_v2: a statement still alive defers the close instead of failing it.
    sqlite3_close_v2(db);
}

std::string defaultLibraryPath(const std::string& utf8Folder) {
    return utf8OfPath(pathFromUtf8(utf8Folder) / "Data" / "quorvane.sqlite");
}

std::optional<CastTime> parseSince(std::string_view text) {
    return text.size() == 10 ? parseCastTime(std::string(text) + " 00:00:00") : parseCastTime(text);
}

double distanceKm(const CastPosition& a, const CastPosition& b) {
    const double halfLatitude = std::sin((b.latitude - a.latitude) * kRadians / 2.0);
    const double halfLongitude = std::sin((b.longitude - a.longitude) * kRadians / 2.0);
    const double h = halfLatitude * halfLatitude + std::cos(a.latitude * kRadians) *
                                                       std::cos(b.latitude * kRadians) *
                                                       halfLongitude * halfLongitude;
    return 2.0 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(h)));
}

LibraryResult<CastLibrary> CastLibrary::open(const std::string& utf8Path) {
    const auto refused = [&](const std::string& whyZh, const std::string& whyEn) {
        return LibraryResult<CastLibrary>{
            std::nullopt,
            Text{strformat("投放记录库%s无法打开：%s", utf8Path.c_str(), whyZh.c_str()),
                 strformat("The cast library %s cannot be opened: %s", utf8Path.c_str(),
                           whyEn.c_str())}};
    };
    // SQLite's own reasons are English only.
    const auto refusedBySqlite = [&](const std::string& why) { return refused(why, why); };
    const std::filesystem::path folder = pathFromUtf8(utf8Path).parent_path();
    std::error_code error;
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, error);
    }
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(utf8Path.c_str(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<sqlite3, Closer> db(raw);
    if (opened != SQLITE_OK) {
        return refusedBySqlite(raw != nullptr ? sqlite3_errmsg(raw) : sqlite3_errstr(opened));
    }
    // The window and the command line may record into one library at the same time.
    sqlite3_busy_timeout(raw, 5000);
    {
        Statement journal(raw, "PRAGMA journal_mode = WAL");
        if (!journal.prepared() || journal.step() != SQLITE_ROW) {
            return refusedBySqlite(sqlite3_errmsg(raw));
        }
        if (journal.text(0) != "wal") {
            return refusedBySqlite("journal_mode " + journal.text(0));
        }
    }
    // FULL syncs the log at every commit: a power cut, not only a killed program, keeps the
    // casts recorded, and a cast is recorded seldom enough for the sync not to matter.
    if (!execute(raw, "PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON")) {
        return refusedBySqlite(sqlite3_errmsg(raw));
    }
    const SchemaOutcome schema = migrateLibrary(raw);
    if (schema.problem == SchemaProblem::Newer) {
        return refused(strformat("其结构版本%d来自更新的Quorvane，本程序只认识到版本%d",
                                 schema.version, kLibrarySchemaVersion),
                       strformat("it was written by a newer Quorvane (schema version %d; this "
                                 "one knows up to %d)",
                                 schema.version, kLibrarySchemaVersion));
    }
    if (schema.problem == SchemaProblem::Failed) {
        return refusedBySqlite(sqlite3_errmsg(raw));
    }
    return {CastLibrary(std::move(db), utf8Path), {}};
}

Text CastLibrary::failure(const char* zh, const char* en) const {
    const char* why = sqlite3_errmsg(db_.get());
    return {strformat(zh, path_.c_str(), why), strformat(en, path_.c_str(), why)};
}

LibraryResult<int64_t> CastLibrary::recordCast(const CastRecord& cast) {
    const auto failed = [&] {
        return LibraryResult<int64_t>{std::nullopt, failure(kRecordFailedZh, kRecordFailedEn)};
    };
    if (!isSha256(cast.contentSha256)) {
        // An empty or mistyped key would merge unrelated casts into one record.
        return {std::nullopt,
                {strformat("无法将投放记入投放记录库%s：“%s”不是SHA-256", path_.c_str(),
                           cast.contentSha256.c_str()),
                 strformat("The cast could not be recorded in the cast library %s: \"%s\" is "
                           "not a SHA-256",
                           path_.c_str(), cast.contentSha256.c_str())}};
    }
    const std::optional<CastFacts> facts = castFacts(cast.profile);
    const auto fact = [&](double CastFacts::*member) {
        return facts ? std::optional<double>((*facts).*member) : std::nullopt;
    };
    Transaction transaction(db_.get());
    if (!transaction.begun()) {
        return failed();
    }
    Statement upsert(db_.get(), upsertCast());
    if (!upsert.prepared()) {
        return failed();
    }
    upsert.bindText(1, cast.contentSha256);
    upsert.bindInteger(2, cast.deviceId);
    upsert.bindText(3, cast.fileName);
    upsert.bindText(4, cast.filePath);
    upsert.bindText(5, castTimeText(cast.localTime));
    upsert.bindOptionalText(
        6, cast.utcTime ? std::optional(castTimeText(*cast.utcTime)) : std::nullopt);
    upsert.bindOptionalReal(7,
                            cast.position ? std::optional(cast.position->latitude) : std::nullopt);
    upsert.bindOptionalReal(8,
                            cast.position ? std::optional(cast.position->longitude) : std::nullopt);
    upsert.bindText(9, cast.positionSource);
    upsert.bindInteger(10, cast.recordCount);
    upsert.bindOptionalReal(11, fact(&CastFacts::maximumDepth));
    upsert.bindOptionalReal(12, fact(&CastFacts::surfaceSoundVelocity));
    upsert.bindOptionalReal(13, fact(&CastFacts::harmonicMeanSoundVelocity));
    upsert.bindOptionalReal(14, fact(&CastFacts::minimumSoundVelocity));
    upsert.bindOptionalReal(15, fact(&CastFacts::maximumSoundVelocity));
    upsert.bindOptionalReal(16, fact(&CastFacts::minimumTemperature));
    upsert.bindOptionalReal(17, fact(&CastFacts::maximumTemperature));
    upsert.bindText(18, cast.settings);
    upsert.bindBlob(19, profileBytes(cast.profile));
    if (upsert.step() != SQLITE_ROW) {
        return failed();
    }
    const int64_t id = upsert.integer(0);
    if (upsert.step() != SQLITE_DONE || !transaction.commit()) {
        return failed();
    }
    return {id, {}};
}

LibraryResult<int64_t> CastLibrary::recordExport(int64_t castId, const CastExport& entry) {
    const auto failed = [&] {
        return LibraryResult<int64_t>{std::nullopt, failure(kExportFailedZh, kExportFailedEn)};
    };
    Transaction transaction(db_.get());
    Statement find(db_.get(), "SELECT 1 FROM casts WHERE id = ?1");
    if (!transaction.begun() || !find.prepared()) {
        return failed();
    }
    find.bindInteger(1, castId);
    const int found = find.step();
    if (found == SQLITE_DONE) {
        return {std::nullopt, noCast(path_, castId)};
    }
    Statement insert(
        db_.get(), "INSERT INTO exports (cast_id, time_utc, kind, target) VALUES (?1, ?2, ?3, ?4)");
    if (found != SQLITE_ROW || !insert.prepared()) {
        return failed();
    }
    insert.bindInteger(1, castId);
    insert.bindText(2, castTimeText(entry.utcTime));
    insert.bindText(3, entry.kind);
    insert.bindText(4, entry.target);
    if (insert.step() != SQLITE_DONE) {
        return failed();
    }
    const int64_t id = sqlite3_last_insert_rowid(db_.get());
    if (!transaction.commit()) {
        return failed();
    }
    return {id, {}};
}

LibraryResult<int64_t> CastLibrary::recordExport(const std::string& contentSha256,
                                                 const CastExport& entry) {
    Statement find(db_.get(), "SELECT id FROM casts WHERE content_sha256 = ?1");
    if (!find.prepared()) {
        return {std::nullopt, failure(kExportFailedZh, kExportFailedEn)};
    }
    find.bindText(1, contentSha256);
    const int found = find.step();
    if (found == SQLITE_ROW) {
        return recordExport(find.integer(0), entry);
    }
    if (found != SQLITE_DONE) {
        return {std::nullopt, failure(kExportFailedZh, kExportFailedEn)};
    }
    return {std::nullopt,
            {strformat("投放记录库%s中没有SHA-256为%s的投放", path_.c_str(), contentSha256.c_str()),
             strformat("The cast library %s holds no cast of SHA-256 %s", path_.c_str(),
                       contentSha256.c_str())}};
}

LibraryResult<std::vector<LibraryCast>> CastLibrary::list(const LibraryFilter& filter) {
    std::string sql = selectCasts(false) + "WHERE 1";
    if (filter.since) {
        sql += " AND local_time >= ?1";
    }
    // SQL narrows the casts to a box around the circle, on the latitude index; the exact
    // distance is taken below. The box's width in longitude grows towards the poles; where it
    // would reach a pole or go right round, only the latitudes narrow.
    double span = 0.0, west = 0.0, east = 0.0;
    if (filter.near) {
        const CastPosition& centre = filter.near->centre;
        span = filter.near->kilometres / (kEarthRadiusKm * kRadians);
        sql += " AND latitude BETWEEN ?2 AND ?3";
        const double farthest = std::abs(centre.latitude) + span;
        const double width = farthest < 90.0 ? span / std::cos(farthest * kRadians) : 360.0;
        if (width < 180.0) {
            west = centre.longitude - width;
            east = centre.longitude + width;
            // Across the antimeridian the box is the two ends of the longitudes.
            const bool wraps = west < -180.0 || east > 180.0;
            west = west < -180.0 ? west + 360.0 : west;
            east = east > 180.0 ? east - 360.0 : east;
            sql += wraps ? " AND (longitude >= ?4 OR longitude <= ?5)"
                         : " AND longitude BETWEEN ?4 AND ?5";
        }
    }
    sql += " ORDER BY local_time, id";
    Statement query(db_.get(), sql);
    if (!query.prepared()) {
        return {std::nullopt, failure(kReadFailedZh, kReadFailedEn)};
    }
    if (filter.since) {
        query.bindText(1, castTimeText(*filter.since));
    }
    if (filter.near) {
        // Parameters the text does not use are refused by SQLite and change nothing.
        query.bindReal(2, filter.near->centre.latitude - span);
        query.bindReal(3, filter.near->centre.latitude + span);
        query.bindReal(4, west);
        query.bindReal(5, east);
    }
    std::vector<LibraryCast> casts;
    int step = SQLITE_ROW;
    while ((step = query.step()) == SQLITE_ROW) {
        LibraryCast cast = castOf(query);
        if (filter.near &&
            (!cast.record.position ||
             distanceKm(*cast.record.position, filter.near->centre) > filter.near->kilometres)) {
            continue;
        }
        casts.push_back(std::move(cast));
    }
    if (step != SQLITE_DONE) {
        return {std::nullopt, failure(kReadFailedZh, kReadFailedEn)};
    }
    return {std::move(casts), {}};
}

LibraryResult<std::optional<LibraryCast>> CastLibrary::previousOf(const LibraryCast& cast) {
    Statement query(db_.get(),
                    "SELECT id FROM casts WHERE device_id = ?1 AND (local_time < ?2 OR "
                    "(local_time = ?2 AND id < ?3)) ORDER BY local_time DESC, id DESC LIMIT 1");
    if (!query.prepared()) {
        return {std::nullopt, failure(kReadFailedZh, kReadFailedEn)};
    }
    query.bindInteger(1, cast.record.deviceId);
    query.bindText(2, castTimeText(cast.record.localTime));
    query.bindInteger(3, cast.id);
    const int step = query.step();
    if (step == SQLITE_DONE) {
        return {std::optional<LibraryCast>()};
    }
    if (step != SQLITE_ROW) {
        return {std::nullopt, failure(kReadFailedZh, kReadFailedEn)};
    }
    LibraryResult<LibraryCast> previous = show(query.integer(0));
    if (!previous.ok()) {
        return {std::nullopt, previous.problem};
    }
    return {std::optional<LibraryCast>(std::move(*previous.value))};
}

LibraryResult<LibraryCast> CastLibrary::show(int64_t id) {
    const auto failed = [&] {
        return LibraryResult<LibraryCast>{std::nullopt, failure(kReadFailedZh, kReadFailedEn)};
    };
    Statement query(db_.get(), selectCasts(true) + "WHERE id = ?1");
    if (!query.prepared()) {
        return failed();
    }
    query.bindInteger(1, id);
    const int step = query.step();
    if (step == SQLITE_DONE) {
        return {std::nullopt, noCast(path_, id)};
    }
    if (step != SQLITE_ROW) {
        return failed();
    }
    LibraryCast cast = castOf(query);
    cast.record.profile = profileFromBytes(query.blob(19));
    Statement exports(db_.get(),
                      "SELECT time_utc, kind, target FROM exports WHERE cast_id = ?1 "
                      "ORDER BY time_utc, id");
    if (!exports.prepared()) {
        return failed();
    }
    exports.bindInteger(1, id);
    int row = SQLITE_ROW;
    while ((row = exports.step()) == SQLITE_ROW) {
        cast.exports.push_back(
            {timeOf(exports, 0).value_or(CastTime{}), exports.text(1), exports.text(2)});
    }
    if (row != SQLITE_DONE) {
        return failed();
    }
    return {std::move(cast), {}};
}

}  // namespace quorvane
