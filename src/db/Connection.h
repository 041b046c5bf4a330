// The state behind a Database handle: the SQLite connection, its path and the table holds. Internal to db/.
#pragma once

#include "db/ColumnCatalog.h"
#include "db/Error.h"

#include <QHash>
#include <QString>

#include <memory>
#include <mutex>

struct sqlite3;

namespace db::detail {

struct Connection {
    sqlite3 *db = nullptr;
    QString path;
    qint64 changes = 0;
    qint64 soundAtDataVersion = -1;  // PRAGMA data_version when a quick check last found the file sound

    ~Connection();
    void close();
    sqlite3 *handle() const;  // raises 3420 when closed

    // Table holds, counted per table name without regard to case. Thread-safe: a data window's loader thread
    // may take and release them.
    void hold(const QString &table);
    void release(const QString &table);
    bool isHeld(const QString &table) const;

    // The columns of the main database for the dialect translator, read again when the schema has changed since
    // (PRAGMA schema_version). Raises 3420 when closed.
    std::shared_ptr<const ColumnCatalog> columnCatalog();

private:
    mutable std::mutex holdsMutex_;
    QHash<QString, int> holds_;
    std::mutex catalogMutex_;
    std::shared_ptr<const ColumnCatalog> catalog_;
    int catalogVersion_ = -1;
};

Error objectInvalid();

}  // namespace db::detail
