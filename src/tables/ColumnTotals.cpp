#include "tables/ColumnTotals.h"

#include "common/ColumnType.h"
#include "db/Database.h"
#include "db/Sqlite.h"

namespace tables {

ColumnTotals columnTotals(const QString &databasePath, const QString &jetSql, const QString &column) {
    const db::Database database = db::Database::open(databasePath);
    const db::jet::Translation translation = database.translate(jetSql);
    if (translation.kind != db::jet::StatementKind::Select)
        throw db::Error(3219, QStringLiteral("Invalid operation."));
    const QString name = QString::fromStdString(db::quoteIdentifier(column.toStdString()));
    // total() adds in floating point and is 0.0 over no rows; typeof tells numbers from the rest.
    db::Statement totals(database.handle(),
                         QStringLiteral("SELECT total(CASE WHEN typeof(%1) IN ('integer', 'real') THEN %1 END), "
                                        "sum(typeof(%1) IN ('integer', 'real')), "
                                        "sum(typeof(%1) = 'blob' OR (typeof(%1) = 'text' AND %1 <> '')) FROM (%2)")
                             .arg(name, translation.sql),
                         {jetSql, translation.table, databasePath});
    ColumnTotals result;
    if (totals.step()) {
        result.sum = totals.value(0).toDouble();
        result.numbers = totals.value(1).toLongLong();
        result.others = totals.value(2).toLongLong();
    }
    return result;
}

}  // namespace tables
