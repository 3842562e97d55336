#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// One prepared statement. Binding and column indexes are SQLite's: binds from 1, columns from 0.
class Statement {
  public:
    Statement(sqlite3* db, std::string_view sql);
    bool prepared() const { return statement_ != nullptr; }

    void bindInteger(int index, int64_t value) {
        sqlite3_bind_int64(statement_.get(), index, value);
    }
    void bindReal(int index, double value) { sqlite3_bind_double(statement_.get(), index, value); }
    void bindText(int index, std::string_view text);
    void bindOptionalReal(int index, const std::optional<double>& value);
    void bindOptionalText(int index, const std::optional<std::string>& text);
    void bindBlob(int index, std::string_view bytes);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step() { return sqlite3_step(statement_.get()); }

    bool isNull(int column) const;
    int64_t integer(int column) const { return sqlite3_column_int64(statement_.get(), column); }
    double real(int column) const { return sqlite3_column_double(statement_.get(), column); }
    std::optional<double> optionalReal(int column) const;
    std::string text(int column) const;
    std::string blob(int column) const;

  private:
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
    };
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

// Runs statements that return no rows; false on the first error (sqlite3_errmsg has it).
bool execute(sqlite3* db, const char* sql);

// BEGIN IMMEDIATE: the write lock is taken at once, so two programs recording at the same time
// wait for each other (busy timeout) instead of one failing halfway. Rolled back unless
// committed.
class Transaction {
  public:
    explicit Transaction(sqlite3* db) : db_(db), begun_(execute(db, "BEGIN IMMEDIATE")) {}
    ~Transaction() {
        if (begun_) {
            execute(db_, "ROLLBACK");
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool begun() const { return begun_; }
    bool commit() {
        begun_ = !execute(db_, "COMMIT");
        return !begun_;
    }

  private:
    sqlite3* db_;
    bool begun_;
};

}  // namespace quorvane
