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

    ~Connection();
    void close();
    sqlite3 *handle() const;  // raises 3420 when closed

    // Table holds, counted per table name without regard to case. Thread-safe: a data window's loader thread
    // may take and release them.
    void hold(const QString &table);
    void release(const QString &table);
    bool isHeld(const QString &table) const;

private:
    mutable std::mutex holdsMutex_;
    QHash<QString, int> holds_;
};

Error objectInvalid();

}  // namespace db::detail
