#include "core/DataWindowRules.h"

#include <QHash>
#include <QStringList>

namespace app {

QString standardOrder(const QString &table) {
    static const QHash<QString, QString> orders = {
        {"Round Statistics", " Order By [Round]"},
        {"Increment Statistics", " Order By [Round]"},
        {"Waiver Statistics", " Order By [Round]"},
        {"All Bids", " Order By [Market], [Block], [Submarket]"},
        {"Markets", " Order By [License Name]"},
        {"Bidders Raising Own High Bid", " Order By [License Name]"},
        {"Bidders", " Order By [Bidder]"},
        {"Bidders Who Reduced", " Order By [Bidder Who Reduced]"},
        {"Withdrawal Statistics", " Order By [Withdrawal Number]"},
    };
    return orders.value(table);
}

bool isAllRoundsTable(const QString &table) {
    static const QStringList tables = {"Round Statistics",     "Increment Statistics",  "Miscellaneous Statistics",
                                       "Reduction Statistics", "Withdrawal Statistics", "Waiver Statistics"};
    return tables.contains(table);
}

QString dataWindowStatement(const QString &table, const QString &round, bool ordered) {
    return dataWindowStatement(table, round, ordered, {}, {});
}

QString dataWindowStatement(const QString &table, const QString &round, bool ordered, const QString &filter,
                            const QString &sort) {
    QString statement = QStringLiteral("SELECT * FROM [") + table + u']';
    if (!round.isEmpty())
        statement += QStringLiteral(" WHERE [Round] = ") + round;
    if (!filter.isEmpty())
        statement += (round.isEmpty() ? QStringLiteral(" WHERE (") : QStringLiteral(" And (")) + filter + u')';
    if (!sort.isEmpty())
        return statement + QStringLiteral(" ORDER BY ") + sort;
    return ordered ? statement + standardOrder(table) : statement;
}

}  // namespace app
