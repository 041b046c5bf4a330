// The SQLite database a conversion writes: one transaction, no journal, no syncing while writing.
#pragma once

#include "common/ColumnType.h"
#include "jet/Value.h"

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

namespace jet {

// Opens the (new, empty) file at `path`, begins the transaction and marks the file with the current storage scheme
// (db::kStorageScheme). Owns the connection; one thread. Failures raise
// ConvertError 3043 when the disk fails and DamagedFile when the data cannot be stored (for example two tables of
// the same name, which only a damaged catalog holds).
class SqliteOutput {
public:
    explicit SqliteOutput(const std::string &path);

    // Commits and closes the connection; the caller then syncs the file.
    void commitAndClose();

    sqlite3 *handle() const { return db_.get(); }
    // Raises the error of the last failed call on the connection.
    [[noreturn]] void fail(int resultCode) const;
    void exec(const std::string &sql) const;

private:
    struct Closer {
        void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
    };
    std::unique_ptr<sqlite3, Closer> db_;
};

// Creates one table and inserts rows into it through one prepared statement. Borrows the output, which must
// outlive it.
class SqliteTableWriter {
public:
    SqliteTableWriter(SqliteOutput &output, const std::string &table, const std::vector<db::ColumnSpec> &columns);

    void insert(const std::vector<Value> &row);

private:
    struct Finalizer {
        void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
    };
    SqliteOutput &output_;
    std::unique_ptr<sqlite3_stmt, Finalizer> insert_;
};

}  // namespace jet
