#include "db/Database.h"

#include "db/Connection.h"
#include "db/JournalMode.h"
#include "db/Recordset.h"
#include "db/SqlFunctions.h"
#include "db/Sqlite.h"
#include "db/TextScheme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <sqlite3.h>

namespace db {

namespace detail {

Error objectInvalid() { return Error(3420, QStringLiteral("Object invalid or no longer set.")); }

Connection::~Connection() { close(); }

void Connection::close() {
    if (db)
        sqlite3_close_v2(db);
    db = nullptr;
}

void Connection::hold(const QString &table) {
    const std::lock_guard lock(holdsMutex_);
    ++holds_[table.toCaseFolded()];
}

void Connection::release(const QString &table) {
    const std::lock_guard lock(holdsMutex_);
    const QString key = table.toCaseFolded();
    if (--holds_[key] <= 0)
        holds_.remove(key);
}

bool Connection::isHeld(const QString &table) const {
    const std::lock_guard lock(holdsMutex_);
    return holds_.value(table.toCaseFolded()) > 0;
}

sqlite3 *Connection::handle() const {
    if (!db)
        throw objectInvalid();
    return db;
}

std::shared_ptr<const ColumnCatalog> Connection::columnCatalog() {
    sqlite3 *connection = handle();
    const std::lock_guard lock(catalogMutex_);
    Statement version(connection, QStringLiteral("PRAGMA schema_version"), {{}, {}, path});
    const int current = version.step() ? version.value(0).toInt() : 0;
    if (!catalog_ || current != catalogVersion_) {
        catalog_ = std::make_shared<const ColumnCatalog>(ColumnCatalog::load(connection));
        catalogVersion_ = current;
    }
    return catalog_;
}

}  // namespace detail

namespace {

// Settings of every connection:
// - a wait of up to kBusyTimeoutMs when another connection or process is writing, then a clear "in use" error;
// - the write-ahead log (a killed process never leaves a half-written transaction, and readers never wait for a
//   writer), or the rollback journal on a network filesystem (db/JournalMode.h);
// - synchronous=FULL, so that a commit reported done survives a power loss (a round reported imported is never
//   rolled back afterwards; with the log this costs one flush of the log per transaction);
// - the Jet functions and collation.
// The file is never opened outside SQLite: closing any other descriptor of it would drop the POSIX locks that
// SQLite holds for this process, and another process could then delete the log under the open connections.
// A file that is not an SQLite database fails at the first read with SQLITE_NOTADB.
void configure(sqlite3 *db, const QString &path) {
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
    registerSqlFunctions(db);
    const ErrorContext context{{}, {}, path};
    exec(db, QStringLiteral("SELECT count(*) FROM sqlite_master"), context);
    exec(db, journalModePragma(journalModeFor(path)), context);
    exec(db, QStringLiteral("PRAGMA synchronous=FULL"), context);
}

std::shared_ptr<detail::Connection> connect(const QString &path, int flags) {
    auto connection = std::make_shared<detail::Connection>();
    connection->path = QFileInfo(path).absoluteFilePath();
    const QByteArray utf8 = QFile::encodeName(connection->path);
    const int rc = sqlite3_open_v2(utf8.constData(), &connection->db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const Error error = sqliteError(connection->db, rc, {{}, {}, connection->path});
        connection->close();
        throw error;
    }
    try {
        configure(connection->db, connection->path);
    } catch (const Error &error) {
        connection->close();
        if (error.number() == err::Reserved || error.number() == err::DiskError)
            throw Error::unrecognizedFormat(connection->path);
        throw;
    }
    try {
        bringToCurrentScheme(connection->db);
    } catch (const Error &) {
        connection->close();
        throw;
    }
    return connection;
}

}  // namespace

Database::Database() = default;
Database::~Database() = default;
Database::Database(const Database &) = default;
Database &Database::operator=(const Database &) = default;
Database::Database(Database &&) noexcept = default;
Database &Database::operator=(Database &&) noexcept = default;
Database::Database(std::shared_ptr<detail::Connection> connection) : connection_(std::move(connection)) {}

Database Database::open(const QString &path) {
    const QFileInfo info(path);
    if (!info.dir().exists())
        throw Error::pathNotFound(path);
    if (!info.exists() || info.isDir())
        throw Error::fileNotFound(path);
    return Database(connect(path, SQLITE_OPEN_READWRITE));
}

Database Database::create(const QString &path) {
    const QFileInfo info(path);
    if (!info.dir().exists())
        throw Error::pathNotFound(path);
    if (info.exists())
        throw Error(3204, QStringLiteral("Database already exists."));
    return Database(connect(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
}

detail::Connection &Database::connection() const {
    if (!connection_ || !connection_->db)
        throw detail::objectInvalid();
    return *connection_;
}

bool Database::isOpen() const { return connection_ && connection_->db; }

QString Database::path() const { return connection_ ? connection_->path : QString(); }

sqlite3 *Database::handle() const { return connection_ ? connection_->db : nullptr; }

qint64 Database::recordsAffected() const { return connection().changes; }

void Database::close() {
    if (connection_)
        connection_->close();
}

QStringList Database::tableDefs() const {
    Statement query(connection().handle(), QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    QStringList names;
    while (query.step()) {
        const QString name = query.value(0).toString();
        if (!name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
            names << name;
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

bool Database::tableExists(const QString &table) const { return db::tableExists(connection().handle(), table); }

QStringList Database::fieldNames(const QString &table) const {
    return columnNames(connection().handle(), QStringLiteral("main"), table);
}

jet::Translation Database::translate(const QString &jetSql, bool withRowId) const {
    jet::TranslateOptions options;
    options.withRowId = withRowId;
    options.columns = connection().columnCatalog();
    return jet::translate(jetSql, options);
}

std::unique_ptr<Recordset> Database::openRecordset(const QString &jetSql) const {
    return openRecordset(jetSql, RecordsetType::Dynaset);
}

std::unique_ptr<Recordset> Database::openRecordset(const QString &jetSql, RecordsetType type) const {
    connection().handle();
    return Recordset::open(connection_, jetSql, type);
}

TableHold Database::holdTable(const QString &table) const {
    connection().hold(table);
    return TableHold(connection_, table);
}

bool Database::isHeld(const QString &table) const { return connection().isHeld(table); }

TableHold::TableHold(std::shared_ptr<detail::Connection> connection, QString table)
    : connection_(std::move(connection)), table_(std::move(table)) {}

TableHold::~TableHold() { reset(); }

TableHold::TableHold(TableHold &&other) noexcept
    : connection_(std::move(other.connection_)), table_(std::move(other.table_)) {}

TableHold &TableHold::operator=(TableHold &&other) noexcept {
    if (this != &other) {
        reset();
        connection_ = std::move(other.connection_);
        table_ = std::move(other.table_);
    }
    return *this;
}

void TableHold::reset() {
    if (!connection_)
        return;
    connection_->release(table_);
    connection_.reset();
    table_.clear();
}

}  // namespace db
