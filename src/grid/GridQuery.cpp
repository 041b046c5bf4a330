#include "grid/GridQuery.h"

#include "common/ColumnType.h"
#include "db/Sqlite.h"

#include <QStringList>

namespace grid {

namespace {

const QString &rowIdName() {
    static const QString name = QLatin1String(db::jet::kHiddenColumnPrefix) + QStringLiteral("rowid");
    return name;
}

}  // namespace

QString GridQuery::keysSql() const {
    return QStringLiteral("SELECT [%1] FROM (%2)").arg(rowIdName(), translation.sql);
}

QString GridQuery::rowsByKeysSql(int count) const {
    QStringList parameters;
    parameters.reserve(count);
    for (int i = 1; i <= count; ++i)
        parameters << QStringLiteral("?%1").arg(i);
    return QStringLiteral("SELECT * FROM (%1) WHERE [%2] IN (%3)")
        .arg(translation.sql, rowIdName(), parameters.join(QStringLiteral(", ")));
}

QString GridQuery::rowsByOffsetSql() const {
    return QStringLiteral("SELECT * FROM (%1) LIMIT ?1 OFFSET ?2").arg(translation.sql);
}

QString GridQuery::countSql() const { return QStringLiteral("SELECT count(*) FROM (%1)").arg(translation.sql); }

GridQuery prepareGridQuery(const db::Database &connection, const QString &jetSql) {
    GridQuery query;
    if (!connection.isOpen())
        throw db::Error(3420, QStringLiteral("Object invalid or no longer set."));
    query.databasePath = connection.path();
    query.jetSql = jetSql;
    query.translation = connection.translate(jetSql, true);
    if (query.translation.kind != db::jet::StatementKind::Select)
        throw db::Error(3219, QStringLiteral("Invalid operation."));
    const db::Statement statement(connection.handle(), query.translation.sql,
                                  {jetSql, query.translation.table, query.databasePath});
    for (int i = 0; i < statement.columnCount(); ++i) {
        const QString name = statement.columnName(i);
        if (name == rowIdName() && query.translation.hasRowId) {
            query.rowIdColumn = i;
        } else if (!name.startsWith(QLatin1String(db::jet::kHiddenColumnPrefix))) {
            db::Field field;
            field.name = name;
            field.type = db::typeFromDeclared(statement.declaredType(i).toStdString(), &field.textLength);
            query.fields.push_back(field);
            query.fieldColumns.push_back(i);
        }
    }
    return query;
}

}  // namespace grid
