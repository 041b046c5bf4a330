// Compaction in place: SQLite's VACUUM on a connection that holds the file exclusively. VACUUM goes through the
// journal, so a failure or a killed process leaves the file as it was; no copy is ever renamed over the file,
// which would discard whatever another process wrote to the old one meanwhile.
#include "db/Database.h"

#include "db/SqlFunctions.h"
#include "db/Sqlite.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace db {

namespace {

// How long compaction waits for a connection that is only passing by (a script's single query) to finish.
constexpr int kCompactWaitMs = 1000;

struct RawConnection {
    sqlite3 *db = nullptr;
    ~RawConnection() { sqlite3_close_v2(db); }
};

// Whether the file is held by another connection: in exclusive locking mode the first read takes an exclusive
// lock on the file, which fails while any other connection has it open (with the write-ahead log every open
// connection holds a shared lock for as long as it is open).
bool takeExclusive(sqlite3 *db, const ErrorContext &context) {
    exec(db, QStringLiteral("PRAGMA locking_mode=EXCLUSIVE"), context);
    try {
        exec(db, QStringLiteral("BEGIN EXCLUSIVE"), context);
        exec(db, QStringLiteral("COMMIT"), context);
    } catch (const Error &error) {
        if (error.number() == err::CouldNotLock)
            return false;
        throw;
    }
    return true;
}

// A connection of its own to the file, not yet reading it.
void openRaw(RawConnection &connection, const QString &absolute, const ErrorContext &context) {
    if (!QFileInfo(absolute).isFile())
        throw Error::fileNotFound(absolute);
    const int rc = sqlite3_open_v2(QFile::encodeName(absolute).constData(), &connection.db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK)
        throw sqliteError(connection.db, rc, context);
    sqlite3_extended_result_codes(connection.db, 1);
    sqlite3_busy_timeout(connection.db, kCompactWaitMs);
    registerSqlFunctions(connection.db);
}

}  // namespace

bool Database::inUseElsewhere(const QString &path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const ErrorContext context{{}, {}, absolute};
    RawConnection connection;
    openRaw(connection, absolute, context);
    return !takeExclusive(connection.db, context);
}

CompactResult Database::compact(const QString &path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const ErrorContext context{{}, {}, absolute};
    RawConnection connection;
    openRaw(connection, absolute, context);
    if (!takeExclusive(connection.db, context))
        return CompactResult::InUse;
    exec(connection.db, QStringLiteral("PRAGMA synchronous=FULL"), context);
    exec(connection.db, QStringLiteral("VACUUM"), context);
    return CompactResult::Compacted;
}

}  // namespace db
