// Database::execute: one Jet statement, translated, and the statements SQLite cannot run as written.
#include "db/Database.h"

#include "common/ColumnType.h"
#include "db/Connection.h"
#include "db/JetTranslator.h"
#include "db/SelectInto.h"
#include "db/TableCopy.h"
#include "db/Sqlite.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace db {

namespace {

using jet::bracketName;
using jet::StatementKind;
using jet::Translation;

void dropTable(sqlite3 *db, const detail::Connection &c, const Translation &t, const ErrorContext &context) {
    if (c.isHeld(t.table))
        throw Error::tableInUse(t.table);
    if (!tableExists(db, t.table))
        throw Error::noSuchTableToDrop(t.table);
    exec(db, QStringLiteral("DROP TABLE ") + bracketName(t.table), context);
}

// ALTER TABLE ... ADD CONSTRAINT: a unique index named table.constraint; a primary key also refuses NULLs,
// through triggers, since SQLite cannot add a key to an existing table.
void addKey(sqlite3 *db, const Translation &t, const ErrorContext &context) {
    const bool primary = t.kind == StatementKind::AddPrimaryKey;
    QStringList columns;
    QStringList nullTests;
    for (const QString &c : t.keyColumns) {
        columns << bracketName(c);
        nullTests << QStringLiteral("NEW.") + bracketName(c) + QStringLiteral(" IS NULL");
    }
    Savepoint savepoint(db);
    if (primary) {
        QStringList existingNulls;
        for (const QString &c : t.keyColumns)
            existingNulls << bracketName(c) + QStringLiteral(" IS NULL");
        Statement nulls(db, QStringLiteral("SELECT 1 FROM ") + bracketName(t.table) + QStringLiteral(" WHERE ") +
                                existingNulls.join(QStringLiteral(" OR ")) + QStringLiteral(" LIMIT 1"),
                        context);
        if (nulls.step())
            throw Error(err::NullKey, QStringLiteral("Index or primary key cannot contain a Null value."));
    }
    const QString index = t.table + u'.' + t.constraint;
    exec(db, QStringLiteral("CREATE UNIQUE INDEX %1 ON %2 (%3)").arg(bracketName(index), bracketName(t.table),
                                                                     columns.join(QStringLiteral(", "))),
         context);
    if (primary) {
        const QString raise = QStringLiteral("SELECT RAISE(ABORT, 'lotwise:%1:Index or primary key cannot contain a "
                                             "Null value.')")
                                  .arg(err::NullKey);
        for (const char *event : {"INSERT", "UPDATE"}) {
            exec(db,
                 QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 WHEN %4 BEGIN %5; END")
                     .arg(bracketName(index + u'.' + QString::fromLatin1(event).toLower()),
                          QLatin1String(event), bracketName(t.table), nullTests.join(QStringLiteral(" OR ")), raise),
                 context);
        }
    }
    savepoint.release();
}

// INSERT INTO [T] [IN "path"] SELECT ...: the query's columns go into the target's columns of the same names.
void insertSelect(sqlite3 *db, const Translation &t, const ErrorContext &context) {
    if (t.externalPath.isEmpty()) {
        insertByName(db, QStringLiteral("main"), t.table, t.sql, t.columns, context);
        return;
    }
    const Attachment attachment(db, t.externalPath, QStringLiteral("lw_external"));
    insertByName(db, QStringLiteral("lw_external"), t.table, t.sql, t.columns, context);
}

}  // namespace

void Database::execute(const QString &jetSql) {
    detail::Connection &c = connection();
    sqlite3 *db = c.handle();
    const Translation t = translate(jetSql);
    const ErrorContext context{jetSql, t.table, c.path};
    const qint64 before = sqlite3_total_changes64(db);
    switch (t.kind) {
    case StatementKind::Select: throw Error(3065, QStringLiteral("Cannot execute a select query."));
    case StatementKind::SelectInto: selectInto(db, t, context); break;
    case StatementKind::InsertSelect: insertSelect(db, t, context); break;
    case StatementKind::DropTable: dropTable(db, c, t, context); break;
    case StatementKind::AddPrimaryKey:
    case StatementKind::AddUnique: addKey(db, t, context); break;
    default: exec(db, t.sql, context); break;
    }
    c.changes = sqlite3_total_changes64(db) - before;
}

}  // namespace db
