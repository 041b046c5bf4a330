#include "db/Sqlite.h"

#include "db/Database.h"

#include <sqlite3.h>

namespace db {

Statement::Statement(sqlite3 *connection, const QString &sql, const ErrorContext &context)
    : connection_(connection), context_(context) {
    const QByteArray utf8 = sql.toUtf8();
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(connection_, utf8.constData(), int(utf8.size()), &stmt_, &tail);
    if (rc != SQLITE_OK)
        throw sqliteError(connection_, rc, context_);
    if (!stmt_)  // nothing but blanks
        throw Error(3129, QStringLiteral("Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', "
                                         "'SELECT', or 'UPDATE'."));
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const Error error = sqliteError(connection_, rc, context_);
    sqlite3_reset(stmt_);
    throw error;
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

void Statement::bind(int index, const QVariant &value) {
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::Bool: rc = sqlite3_bind_int64(stmt_, index, value.toLongLong()); break;
        case QMetaType::Double:
        case QMetaType::Float: rc = sqlite3_bind_double(stmt_, index, value.toDouble()); break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(stmt_, index, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text64(stmt_, index, text.constData(), sqlite3_uint64(text.size()), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
        }
        }
    }
    if (rc != SQLITE_OK)
        throw sqliteError(connection_, rc, context_);
}

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

QString Statement::columnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, column));
}

QByteArray Statement::declaredType(int column) const {
    const char *declared = sqlite3_column_decltype(stmt_, column);
    return declared ? QByteArray(declared) : QByteArray();
}

QVariant Statement::value(int column) const {
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(stmt_, column)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(stmt_, column));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column)),
                                          sqlite3_column_bytes(stmt_, column)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(stmt_, column)),
                                   sqlite3_column_bytes(stmt_, column)));
    default: return QVariant();
    }
}

bool tableExists(sqlite3 *connection, const QString &name, bool viewsToo) {
    Statement query(connection, viewsToo ? QStringLiteral("SELECT 1 FROM sqlite_master WHERE type IN ('table', 'view') "
                                                          "AND name = ?1 COLLATE JETTEXT")
                                         : QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' "
                                                          "AND name = ?1 COLLATE JETTEXT"));
    query.bind(1, name);
    return query.step();
}

QStringList columnNames(sqlite3 *connection, const QString &schema, const QString &table, const ErrorContext &context) {
    Statement info(connection, QStringLiteral("SELECT name FROM pragma_table_info(?1, ?2)"), context);
    info.bind(1, table);
    info.bind(2, schema);
    QStringList columns;
    while (info.step())
        columns << info.value(0).toString();
    return columns;
}

void exec(sqlite3 *connection, const QString &sql, const ErrorContext &context) {
    Statement statement(connection, sql, context);
    while (statement.step()) {
    }
}

Transaction::Transaction(const Database &database) : connection_(database.handle()) {
    if (!connection_)
        throw Error(3420, QStringLiteral("Object invalid or no longer set."));
    exec(connection_, QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction() {
    if (open_)
        sqlite3_exec(connection_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    exec(connection_, QStringLiteral("COMMIT"));
    open_ = false;
}

Savepoint::Savepoint(sqlite3 *connection) : connection_(connection) { exec(connection_, QStringLiteral("SAVEPOINT lw_step")); }

Savepoint::~Savepoint() {
    if (!open_)
        return;
    sqlite3_exec(connection_, "ROLLBACK TO lw_step; RELEASE lw_step", nullptr, nullptr, nullptr);
}

void Savepoint::release() {
    exec(connection_, QStringLiteral("RELEASE lw_step"));
    open_ = false;
}

}  // namespace db
