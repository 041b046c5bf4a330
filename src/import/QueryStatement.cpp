#include "import/QueryStatement.h"

#include "db/Database.h"
#include "db/JetTranslator.h"
#include "db/Recordset.h"

namespace importer {

QString queryStatement(const QueryClauses &clauses) {
    QString sql = QStringLiteral("SELECT ") + clauses.select + QStringLiteral(" INTO ") + clauses.into +
                  QStringLiteral(" FROM ") + clauses.from;
    if (!clauses.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + clauses.where;
    if (!clauses.order.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + clauses.order;
    if (!sql.endsWith(u';'))
        sql += u';';
    return sql;
}

QString listedTableName(const QString &into) {
    QString name = into.trimmed();
    if (name.startsWith(u'['))
        name = name.mid(1, name.size() - 2);
    return name;
}

bool isSystemTableName(const QString &table) {
    static const QString kSystemTables[] = {
        QStringLiteral("sysRounds"),         QStringLiteral("sysAuction"), QStringLiteral("sysTables"),
        QStringLiteral("sysSuppliedTables"), QStringLiteral("sysWizard"),  QStringLiteral("sysQueryBuilder"),
    };
    for (const QString &system : kSystemTables)
        if (table.compare(system, Qt::CaseInsensitive) == 0)
            return true;
    return table.startsWith(QLatin1String("sys")) || table.startsWith(QLatin1String("MSys"), Qt::CaseInsensitive) ||
           table.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive);
}

namespace {

bool anyRow(const db::Database &database, const QString &sql) {
    return !database.openRecordset(sql, db::RecordsetType::Snapshot)->eof();
}

}  // namespace

QString reservedTableRefusal(const db::Database &database, const QString &table) {
    const QString quoted = db::jet::singleQuoted(table);
    if (isSystemTableName(table))
        return QStringLiteral("'%1' is a system table of the auction.").arg(table);
    if (anyRow(database, QStringLiteral("SELECT [TableName] FROM [sysSuppliedTables] WHERE [TableName] = ") + quoted))
        return QStringLiteral("'%1' is a table of the round results files.").arg(table);
    if (anyRow(database, QStringLiteral("SELECT [Table Name] FROM [sysWizard] WHERE [Table Name] = ") + quoted))
        return QStringLiteral("'%1' is a table built by the Table Wizard.").arg(table);
    return {};
}

}  // namespace importer
