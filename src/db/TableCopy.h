// Copying rows between tables, possibly of another database file attached to the connection: what Jet's
// INSERT INTO [T] [IN "file"] SELECT ... does, and what a round import does for every supplied table.
//
// Used on the connection's own thread.
#pragma once

#include "db/Database.h"
#include "db/Sqlite.h"

#include <QStringList>

namespace db {

// Another database file attached under `alias` while the object lives, brought to the current storage scheme
// (db/TextScheme.h) before anything writes to it. A missing file raises 53 (SQLite would create an empty one).
// Detaching happens on destruction, so a transaction that uses the file must end first.
class Attachment {
public:
    Attachment(sqlite3 *connection, const QString &path, const QString &alias);
    ~Attachment();
    Attachment(const Attachment &) = delete;
    Attachment &operator=(const Attachment &) = delete;

private:
    sqlite3 *connection_;
    QString alias_;
};

// INSERT INTO schema.[table] the rows of the SQLite query sourceSql. Without explicit columns, each column of
// the query goes into the target's column of the same name (in whatever order the target has them); a query
// column the target lacks raises 3127, a missing target 3192.
void insertByName(sqlite3 *connection, const QString &schema, const QString &table, const QString &sourceSql,
                  const QStringList &columns, const ErrorContext &context);

}  // namespace db
