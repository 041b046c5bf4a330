#include "db/TextScheme.h"

#include "common/ColumnType.h"
#include "db/JetTranslator.h"
#include "db/Sqlite.h"

#include <QStringList>

#include <sqlite3.h>

namespace db {

namespace {

// The indexes of a schema with a NOCASE key column, unique-constraint indexes included.
QStringList nocaseIndexes(sqlite3 *connection, const QString &schema, const ErrorContext &context) {
    Statement query(connection,
                    QStringLiteral("SELECT i.name FROM %1.sqlite_master AS i WHERE i.type = 'index' AND EXISTS "
                                   "(SELECT 1 FROM pragma_index_xinfo(i.name, ?1) AS x "
                                   "WHERE x.key AND x.coll = 'NOCASE' COLLATE NOCASE)")
                        .arg(jet::bracketName(schema)),
                    context);
    query.bind(1, schema);
    QStringList names;
    while (query.step())
        names << query.value(0).toString();
    return names;
}

// BEGIN IMMEDIATE ... COMMIT, or a savepoint inside a transaction the caller has open; rolled back unless
// committed.
class WriteTransaction {
public:
    explicit WriteTransaction(sqlite3 *connection)
        : connection_(connection), nested_(sqlite3_get_autocommit(connection) == 0) {
        exec(connection_, nested_ ? QStringLiteral("SAVEPOINT lw_scheme") : QStringLiteral("BEGIN IMMEDIATE"));
    }
    ~WriteTransaction() {
        if (open_)
            sqlite3_exec(connection_, nested_ ? "ROLLBACK TO lw_scheme; RELEASE lw_scheme" : "ROLLBACK", nullptr,
                         nullptr, nullptr);
    }
    WriteTransaction(const WriteTransaction &) = delete;
    WriteTransaction &operator=(const WriteTransaction &) = delete;
    void commit() {
        exec(connection_, nested_ ? QStringLiteral("RELEASE lw_scheme") : QStringLiteral("COMMIT"));
        open_ = false;
    }

private:
    sqlite3 *connection_;
    bool nested_;
    bool open_ = true;
};

}  // namespace

int storageScheme(sqlite3 *connection, const QString &schema) {
    Statement query(connection, QStringLiteral("PRAGMA %1.user_version").arg(jet::bracketName(schema)));
    return query.step() ? query.value(0).toInt() : 0;
}

void bringToCurrentScheme(sqlite3 *connection, const QString &schema) {
    const QByteArray name = schema.toUtf8();
    if (storageScheme(connection, schema) != 0 || sqlite3_db_readonly(connection, name.constData()) == 1)
        return;
    const ErrorContext context{{}, {}, QString::fromUtf8(sqlite3_db_filename(connection, name.constData()))};
    WriteTransaction transaction(connection);
    if (storageScheme(connection, schema) != 0)  // another connection got there first
        return;
    for (const QString &index : nocaseIndexes(connection, schema, context))
        exec(connection, QStringLiteral("REINDEX %1.%2").arg(jet::bracketName(schema), jet::bracketName(index)),
             context);
    exec(connection, QStringLiteral("PRAGMA %1.user_version = %2").arg(jet::bracketName(schema)).arg(kStorageScheme),
         context);
    transaction.commit();
}

}  // namespace db
