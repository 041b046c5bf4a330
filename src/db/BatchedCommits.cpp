#include "db/BatchedCommits.h"

#include "db/Sqlite.h"

#include <sqlite3.h>

namespace db {

namespace {

bool usesWriteAheadLog(sqlite3 *connection) {
    Statement mode(connection, QStringLiteral("PRAGMA journal_mode"));
    return mode.step() && mode.value(0).toString() == QLatin1String("wal");
}

}  // namespace

BatchedCommits::BatchedCommits(const Database &database) : database_(database) {
    if (!usesWriteAheadLog(database_.handle()))
        return;
    exec(database_.handle(), QStringLiteral("PRAGMA synchronous=NORMAL"));
    batched_ = true;
}

BatchedCommits::~BatchedCommits() {
    try {
        flush();
    } catch (...) {
    }
    if (batched_ && database_.isOpen())
        sqlite3_exec(database_.handle(), "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
}

// The log is appended to in order, so one flush of it covers every commit in it. It is flushed through SQLite's
// own handle of the file: a descriptor of our own would drop SQLite's locks when closed.
void BatchedCommits::flush() {
    if (!batched_ || !database_.isOpen())
        return;
    sqlite3_file *log = nullptr;
    if (sqlite3_file_control(database_.handle(), "main", SQLITE_FCNTL_JOURNAL_POINTER, &log) != SQLITE_OK || !log ||
        !log->pMethods)
        return;  // no log open: nothing was written since the last flush
    if (log->pMethods->xSync(log, SQLITE_SYNC_NORMAL) != SQLITE_OK)
        throw Error(err::DiskError, QStringLiteral("Disk or network error."));
}

}  // namespace db
