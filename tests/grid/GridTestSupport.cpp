#include "GridTestSupport.h"

#include "grid/LazyTableModel.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace gridtest {

void makeNumbers(db::Database &database, const QString &table, int rows) {
    if (!database.tableExists(QStringLiteral("Digit"))) {
        database.execute(QStringLiteral("CREATE TABLE [Digit] ([N] Long)"));
        for (int n = 0; n < 10; ++n)
            database.execute(QStringLiteral("INSERT INTO [Digit] VALUES (%1)").arg(n));
    }
    // Id = a + 10 b + 100 c + ..., one digit table per decimal place, the places kept below `rows`.
    QStringList terms, from;
    int scale = 1;
    for (char alias = 'a'; scale < rows; ++alias, scale *= 10) {
        terms << QStringLiteral("%1.[N] * %2").arg(QChar::fromLatin1(alias)).arg(scale);
        from << QStringLiteral("[Digit] AS %1").arg(QChar::fromLatin1(alias));
    }
    const QString id = QStringLiteral("(") + terms.join(QStringLiteral(" + ")) + QStringLiteral(")");
    database.execute(QStringLiteral("SELECT %1 AS [Id], (%1 * 7919) Mod %2 AS [Key], 'L' & %1 AS [Label] "
                                    "INTO [%3] FROM %4 WHERE %1 < %2")
                         .arg(id)
                         .arg(rows)
                         .arg(table, from.join(QStringLiteral(", "))));
}

bool waitUntil(const std::function<bool()> &done, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return done();
}

bool waitForCount(grid::LazyTableModel &model, int timeoutMs) {
    bool failed = false;
    const auto connection =
        QObject::connect(&model, &grid::LazyTableModel::failed, [&failed](const db::Error &) { failed = true; });
    const bool counted = waitUntil([&] { return failed || model.isRowCountKnown(); }, timeoutMs);
    QObject::disconnect(connection);
    return counted && !failed;
}

QVariantList columnValues(grid::LazyTableModel &model, int column) {
    QVariantList values;
    const int chunk = grid::LazyTableModel::maxWaitRows();
    for (int first = 0; first < model.rowCount(); first += chunk) {
        const int last = std::min(model.rowCount(), first + chunk) - 1;
        if (!model.waitForRows(first, last, 20000))
            return {};
        for (int row = first; row <= last; ++row)
            values << model.rawValue(row, column);
    }
    return values;
}

}  // namespace gridtest
