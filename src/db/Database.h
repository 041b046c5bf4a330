// The auction database engine: a handle on one SQLite file that speaks the Jet SQL dialect.
//
// Database is a shared handle, like a DAO database object held in several variables: copies refer to the same
// connection, and close() closes it for all of them (later calls raise 3420). The connection and every
// recordset opened on it belong to the thread that opened it; another thread opens its own Database.
//
// Operations: execute() runs one Jet statement (db/JetTranslator.h), openRecordset() reads a query into a
// recordset (db/Recordset.h), tableDefs() lists the tables sorted by name without regard to case, holdTable()
// marks a table as shown by a data window (DROP TABLE then raises 3211), compact() compacts the file in place.
// Every failure is raised as db::Error.
//
// Several connections, of this process and of others (the desktop program, its grid loaders and lotwise-cli),
// may have one file open at once: a writer waits up to kBusyTimeoutMs for another, then raises 3050.
#pragma once

#include "db/Error.h"
#include "db/JetTranslator.h"

#include <QString>
#include <QStringList>

#include <memory>

struct sqlite3;

namespace db {

inline constexpr int kBusyTimeoutMs = 10000;

// What compact() did: compacted the file, or left it as it was because another connection has it open.
enum class CompactResult { Compacted, InUse };

class Recordset;
class TableHold;
enum class RecordsetType;

namespace detail {
struct Connection;
}

class Database {
public:
    Database();  // no database: every operation raises 3420
    ~Database();
    Database(const Database &);
    Database &operator=(const Database &);
    Database(Database &&) noexcept;
    Database &operator=(Database &&) noexcept;

    // Opens an existing SQLite file read-write. Missing file: 53; missing folder: 76; not SQLite: 3343. A file of
    // an earlier version of the program is brought to the current storage scheme first (db/TextScheme.h).
    static Database open(const QString &path);
    // Creates a new, empty database file, marked with the current storage scheme; an existing file raises 3204.
    static Database create(const QString &path);

    bool isOpen() const;
    QString path() const;

    // Runs one Jet statement that returns no rows; a SELECT without INTO raises 3065.
    void execute(const QString &jetSql);
    // Rows changed by the last execute().
    qint64 recordsAffected() const;

    // Translates one Jet statement as execute() and openRecordset() do: told which columns of this database hold
    // text, the translator adds the Unicode-aware text order only where text is compared (db/JetTranslator.h).
    // withRowId as in jet::TranslateOptions.
    jet::Translation translate(const QString &jetSql, bool withRowId = false) const;

    std::unique_ptr<Recordset> openRecordset(const QString &jetSql, RecordsetType type) const;
    std::unique_ptr<Recordset> openRecordset(const QString &jetSql) const;  // the default, updatable type

    QStringList tableDefs() const;
    bool tableExists(const QString &table) const;
    QStringList fieldNames(const QString &table) const;

    // While the returned hold lives, DROP TABLE of the table raises 3211.
    TableHold holdTable(const QString &table) const;
    bool isHeld(const QString &table) const;

    void close();

    // The first problem SQLite's quick check finds in the file (every page read, not the indexes' agreement with
    // their tables), or empty text when it finds none. A file found sound is not read again until another
    // connection has written to it: what this connection writes, SQLite checks as it goes.
    QString damage() const;

    // The SQLite connection, for work the Jet dialect cannot express (bulk import). Null when closed.
    sqlite3 *handle() const;

    // Compacts the database file at path in place with SQLite's VACUUM, holding the file exclusively throughout.
    // Every connection of this process to it must be closed first. While another connection (of another process)
    // has the file open, nothing is done and InUse comes back: rewriting the file under it would discard what it
    // writes. A failure (a full disk, say) leaves the file as it was and raises the error.
    static CompactResult compact(const QString &path);
    // Whether a connection other than this process's has the SQLite file at path open (every connection of this
    // process to it must be closed first). Raises 3343 for a file that is not an SQLite database.
    static bool inUseElsewhere(const QString &path);

private:
    explicit Database(std::shared_ptr<detail::Connection> connection);
    detail::Connection &connection() const;

    std::shared_ptr<detail::Connection> connection_;
};

// A table shown by a data window. Move-only; the hold ends when the object is destroyed or reset.
class TableHold {
public:
    TableHold() = default;
    ~TableHold();
    TableHold(TableHold &&other) noexcept;
    TableHold &operator=(TableHold &&other) noexcept;
    TableHold(const TableHold &) = delete;
    TableHold &operator=(const TableHold &) = delete;

    void reset();
    const QString &table() const { return table_; }

private:
    friend class Database;
    TableHold(std::shared_ptr<detail::Connection> connection, QString table);

    std::shared_ptr<detail::Connection> connection_;
    QString table_;
};

}  // namespace db
