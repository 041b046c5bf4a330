#include "import/RoundCheck.h"

#include "db/Error.h"
#include "db/JetTranslator.h"
#include "db/Sqlite.h"

#include <QStringList>

namespace importer {

namespace {

QStringList tablesOf(sqlite3 *connection, const QString &schema) {
    db::Statement statement(connection, QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type = 'table' AND "
                                                       "name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name")
                                            .arg(db::jet::doubleQuoted(schema)));
    QStringList tables;
    while (statement.step())
        tables << statement.value(0).toString();
    return tables;
}

db::Error refusal(const QString &fileName, const QString &why) {
    return db::Error(db::err::InvalidFileFormat,
                     QStringLiteral("The round results file '%1' cannot be imported: %2. Nothing of it was written.")
                         .arg(fileName, why));
}

bool holdsBracket(const QString &name) { return name.contains(u'[') || name.contains(u']'); }

// True when a row of the table has a value other than `wanted` in the column (a NULL counts only when
// nullIsWrong).
bool holdsOther(sqlite3 *connection, const QString &schema, const QString &table, const QString &column,
                qint32 wanted, bool nullIsWrong) {
    const QString test = nullIsWrong ? QStringLiteral("IS NOT") : QStringLiteral("<>");
    db::Statement statement(connection, QStringLiteral("SELECT 1 FROM %1.%2 WHERE %3 %4 ?1 LIMIT 1")
                                            .arg(db::jet::doubleQuoted(schema), db::jet::doubleQuoted(table), db::jet::doubleQuoted(column), test));
    statement.bind(1, wanted);
    return statement.step();
}

}  // namespace

void checkRoundDatabase(sqlite3 *connection, const QString &schema, qint32 auction, qint32 round,
                        const QString &fileName) {
    const QStringList tables = tablesOf(connection, schema);
    QList<QStringList> columns;  // of each table, read once
    for (const QString &table : tables) {
        if (holdsBracket(table))
            throw refusal(fileName, QStringLiteral("its table name '%1' holds a bracket").arg(table));
        columns << db::columnNames(connection, schema, table);
        for (const QString &column : columns.constLast())
            if (holdsBracket(column))
                throw refusal(fileName,
                              QStringLiteral("the column name '%1' of table '%2' holds a bracket").arg(column, table));
    }
    const auto is = [](const QString &column, const char *name) {
        return column.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    for (qsizetype i = 0; i < tables.size(); ++i) {
        const QString &table = tables[i];
        for (const QString &column : columns[i]) {
            if (is(column, "Auction ID") && holdsOther(connection, schema, table, column, auction, false))
                throw refusal(fileName, QStringLiteral("table '%1' holds rows of another auction than %2")
                                            .arg(table, QString::number(auction)));
            if (is(column, "Round") && holdsOther(connection, schema, table, column, round, true))
                throw refusal(fileName, QStringLiteral("table '%1' holds rows of another round than %2")
                                            .arg(table, QString::number(round)));
        }
    }
}

}  // namespace importer
