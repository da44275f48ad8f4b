// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <sqlite3.h>
#include <string>

namespace orbisk {

// A prepared statement that finalises itself.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
            stmt_ = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Ok() const { return stmt_ != nullptr; }
    Statement& Bind(int index, const std::string& text) {
        sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    Statement& BindBlob(int index, const std::string& bytes) {
        sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Bind(int index, int value) {
        sqlite3_bind_int(stmt_, index, value);
        return *this;
    }
    Statement& Bind(int index, int64_t value) {
        sqlite3_bind_int64(stmt_, index, value);
        return *this;
    }
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int Step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_ERROR; }
    bool Run() { return Step() == SQLITE_DONE; }
    int ColumnInt(int column) { return sqlite3_column_int(stmt_, column); }
    int64_t ColumnInt64(int column) { return sqlite3_column_int64(stmt_, column); }
    std::string ColumnBytes(int column) {
        const void* data = sqlite3_column_blob(stmt_, column);
        const int size = sqlite3_column_bytes(stmt_, column);
        return data ? std::string(static_cast<const char*>(data), size) : std::string();
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

// Runs SQL that returns no rows; false on any error.
inline bool Execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace orbisk
