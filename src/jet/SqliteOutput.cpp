#include "jet/SqliteOutput.h"

#include "common/ConvertError.h"

namespace jet {

SqliteOutput::SqliteOutput(const std::string &path) {
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    db_.reset(db);
    if (rc != SQLITE_OK)
        fail(rc);
    exec("PRAGMA journal_mode=OFF");
    exec("PRAGMA synchronous=OFF");
    exec("PRAGMA locking_mode=EXCLUSIVE");
    exec("BEGIN");
    exec("PRAGMA user_version = " + std::to_string(db::kStorageScheme));
}

void SqliteOutput::commitAndClose() {
    exec("COMMIT");
    const int rc = sqlite3_close(db_.get());
    if (rc != SQLITE_OK)
        fail(rc);
    db_.release();
}

void SqliteOutput::exec(const std::string &sql) const {
    const int rc = sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
}

void SqliteOutput::fail(int resultCode) const {
    switch (resultCode & 0xFF) {
    case SQLITE_IOERR:
    case SQLITE_FULL:
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_BUSY:
    case SQLITE_LOCKED: throw ConvertError(code::DiskError, "Disk or network error.");
    default: break;
    }
    const char *message = db_ ? sqlite3_errmsg(db_.get()) : sqlite3_errstr(resultCode);
    throw DamagedFile(std::string("the data cannot be stored: ") + message);
}

SqliteTableWriter::SqliteTableWriter(SqliteOutput &output, const std::string &table,
                                     const std::vector<db::ColumnSpec> &columns)
    : output_(output) {
    std::string create = "CREATE TABLE " + db::quoteIdentifier(table) + " (";
    std::string insert = "INSERT INTO " + db::quoteIdentifier(table) + " VALUES (";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        create += (i ? ", " : "") + db::columnDefinition(columns[i]);
        insert += i ? ", ?" : "?";
    }
    output.exec(create + ")");
    sqlite3_stmt *statement = nullptr;
    const int rc = sqlite3_prepare_v3(output.handle(), (insert + ")").c_str(), -1, SQLITE_PREPARE_PERSISTENT,
                                      &statement, nullptr);
    insert_.reset(statement);
    if (rc != SQLITE_OK)
        output.fail(rc);
}

void SqliteTableWriter::insert(const std::vector<Value> &row) {
    sqlite3_stmt *statement = insert_.get();
    for (std::size_t i = 0; i < row.size(); ++i) {
        const Value &value = row[i];
        const int index = static_cast<int>(i) + 1;
        int rc = SQLITE_OK;
        switch (value.kind) {
        case Value::Kind::Null: rc = sqlite3_bind_null(statement, index); break;
        case Value::Kind::Integer: rc = sqlite3_bind_int64(statement, index, value.integer); break;
        case Value::Kind::Real: rc = sqlite3_bind_double(statement, index, value.real); break;
        case Value::Kind::Text:
            rc = sqlite3_bind_text64(statement, index, value.bytes.data(), value.bytes.size(), SQLITE_STATIC,
                                     SQLITE_UTF8);
            break;
        case Value::Kind::Blob:
            rc = sqlite3_bind_blob64(statement, index, value.bytes.data(), value.bytes.size(), SQLITE_STATIC);
            break;
        }
        if (rc != SQLITE_OK)
            output_.fail(rc);
    }
    const int rc = sqlite3_step(statement);
    sqlite3_reset(statement);
    if (rc != SQLITE_DONE)
        output_.fail(rc);
}

}  // namespace jet
