#include "tables/WizardStatement.h"

#include "tables/SortFilterText.h"

#include <QStringList>

namespace tables {

QString wizardStatement(const TableChoices &choices, const QString &name, const QString &sourceTable,
                        const ColumnTypes *types) {
    QStringList columns;
    for (const QString &column : choices.target)
        columns << u'[' + column + u']';
    QString statement = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" INTO [") +
                        name + QStringLiteral("] FROM [") + sourceTable + u']';
    const QString conditions = conditionsText(choices, TextQuote::Single, types);
    if (!conditions.isEmpty())
        statement += QStringLiteral(" WHERE ") + conditions;
    if (!choices.sort.empty()) {
        QStringList items;
        for (const SortColumn &item : choices.sort)
            items << QStringLiteral(" [") + item.column + u']' + (item.ascending ? QString() : QStringLiteral(" DESC"));
        statement += QStringLiteral(" ORDER BY") + items.join(QStringLiteral(", "));
    }
    return statement + u';';
}

}  // namespace tables
