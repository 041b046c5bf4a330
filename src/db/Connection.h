// The state behind a Database handle: the SQLite connection, its path and the table holds. Internal to db/.
#pragma once

#include "db/Error.h"

#include <QHash>
#include <QString>

#include <mutex>

struct sqlite3;

namespace db::detail {

struct Connection {
    sqlite3 *db = nullptr;
    QString path;
    qint64 changes = 0;

    mutable std::mutex holdsMutex;  // holds may be taken and released by a data window's loader thread
    QHash<QString, int> holds;      // case-folded table name -> number of holds

    ~Connection();
    void close();
    sqlite3 *handle() const;  // raises 3420 when closed
    static QString holdKey(const QString &table) { return table.toCaseFolded(); }
};

Error objectInvalid();

}  // namespace db::detail
