// Bringing a database file to the current storage scheme (db::kStorageScheme, db/ColumnType.h) when the program
// opens or attaches it.
//
// Earlier versions of the program registered their Unicode-aware text order in place of SQLite's NOCASE, so the
// NOCASE indexes of the files they wrote are in that order, which every other SQLite tool takes for a damaged
// index. Such a file has user_version 0: each index with a NOCASE key column is rebuilt in SQLite's own order, all
// in one transaction, and the file is marked with the current scheme. A rebuilt unique index cannot refuse its
// rows: texts equal under the ASCII NOCASE are equal under the Unicode-aware order too.
//
// A file with any other user_version (the current scheme, or a file of another program) is left as it is, and so
// is a file opened read-only. Failures raise db::Error and leave the file unchanged.
//
// Runs on the connection's own thread. The connection must not have another collation registered as NOCASE.
#pragma once

#include <QString>

struct sqlite3;

namespace db {

// schema: "main", or the name a file is attached under.
void bringToCurrentScheme(sqlite3 *connection, const QString &schema = QStringLiteral("main"));

// The user_version of a schema of the connection.
int storageScheme(sqlite3 *connection, const QString &schema = QStringLiteral("main"));

}  // namespace db
