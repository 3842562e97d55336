#include "library/sqlite_handles.h"

namespace quorvane {

Statement::Statement(sqlite3* db, std::string_view sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.data(), int(sql.size()), &statement, nullptr) == SQLITE_OK) {
        statement_.reset(statement);
    }
}

void Statement::bindText(int index, std::string_view text) {
    sqlite3_bind_text(statement_.get(), index, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

void Statement::bindOptionalReal(int index, const std::optional<double>& value) {
    if (value) {
        bindReal(index, *value);
    } else {
        sqlite3_bind_null(statement_.get(), index);
    }
}

void Statement::bindOptionalText(int index, const std::optional<std::string>& text) {
    if (text) {
        bindText(index, std::string_view(*text));
    } else {
        sqlite3_bind_null(statement_.get(), index);
    }
}

void Statement::bindBlob(int index, std::string_view bytes) {
    // A zero-length blob, not NULL: an empty profile is still a profile.
    sqlite3_bind_blob(statement_.get(), index, bytes.empty() ? "" : bytes.data(), int(bytes.size()),
                      SQLITE_TRANSIENT);
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(statement_.get(), column) == SQLITE_NULL;
}

std::optional<double> Statement::optionalReal(int column) const {
    return isNull(column) ? std::nullopt : std::optional<double>(real(column));
}

std::string Statement::text(int column) const {
    const auto* text = sqlite3_column_text(statement_.get(), column);
    return text == nullptr ? std::string()
                           : std::string(reinterpret_cast<const char*>(text),
                                         size_t(sqlite3_column_bytes(statement_.get(), column)));
}

std::string Statement::blob(int column) const {
    const void* bytes = sqlite3_column_blob(statement_.get(), column);
    return bytes == nullptr ? std::string()
                            : std::string(static_cast<const char*>(bytes),
                                          size_t(sqlite3_column_bytes(statement_.get(), column)));
}

bool execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace quorvane
