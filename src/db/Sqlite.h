// Thin RAII wrappers over the SQLite C API used by the engine: a prepared statement that raises db::Error on
// failure, and a savepoint that rolls back unless released.
//
// A Statement belongs to one connection and one thread at a time; the connection must outlive it.
#pragma once

#include "db/Error.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class Database;

// What an error message should name: the table and file a statement works on.
struct ErrorContext {
    QString jetSql;  // the statement as the user or program wrote it
    QString table;
    QString path;
};

// Maps the connection's last error (result code rc) to the engine's numbered error.
Error sqliteError(sqlite3 *connection, int rc, const ErrorContext &context);

class Statement {
public:
    Statement(sqlite3 *connection, const QString &sql, const ErrorContext &context = {});
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Advances to the next row: true when a row is ready, false at the end.
    bool step();
    void reset();
    void bind(int index, const QVariant &value);  // index from 1

    int columnCount() const;
    QString columnName(int column) const;
    QByteArray declaredType(int column) const;  // empty for expressions
    QVariant value(int column) const;
    sqlite3_stmt *handle() const { return stmt_; }

private:
    sqlite3 *connection_;
    sqlite3_stmt *stmt_ = nullptr;
    ErrorContext context_;
};

// Whether the connection's main database has a table (or, with viewsToo, a view) of that name, compared
// without regard to case, accents' case included, as the engine compares names (the connection's JETTEXT order).
bool tableExists(sqlite3 *connection, const QString &name, bool viewsToo = false);

// The column names of a table of the connection's database `schema` ("main", or an attached one), in order.
QStringList columnNames(sqlite3 *connection, const QString &schema, const QString &table,
                        const ErrorContext &context = {});

// Runs one SQLite statement that returns no rows.
void exec(sqlite3 *connection, const QString &sql, const ErrorContext &context = {});

// BEGIN IMMEDIATE ... COMMIT on one connection, rolled back unless committed. IMMEDIATE takes the write lock
// first, so the transaction waits for another writer (up to the busy timeout) instead of failing part way.
class Transaction {
public:
    explicit Transaction(const Database &database);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    sqlite3 *connection_;
    bool open_ = true;
};

// SAVEPOINT ... RELEASE, or ROLLBACK TO when destroyed without release(). Nests inside transactions.
class Savepoint {
public:
    explicit Savepoint(sqlite3 *connection);
    ~Savepoint();
    Savepoint(const Savepoint &) = delete;
    Savepoint &operator=(const Savepoint &) = delete;
    void release();

private:
    sqlite3 *connection_;
    bool open_ = true;
};

}  // namespace db
