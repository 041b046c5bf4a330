#include "cli/ShownStatement.h"

#include "core/DataWindowRules.h"
#include "db/Database.h"
#include "db/Error.h"
#include "db/Recordset.h"

namespace cli {

namespace {

bool hasRoundColumn(const db::Database &database, const QString &table) {
    if (!database.tableExists(table))
        return true;  // the statement then reports the missing table as the window would
    return database.fieldNames(table).contains(QStringLiteral("Round"), Qt::CaseInsensitive);
}

QString newestRound(const db::Database &database) {
    const auto rounds = database.openRecordset(QStringLiteral("SELECT Max([Round]) FROM [sysRounds]"));
    const QVariant last = rounds->value(0);
    return last.isNull() ? QString() : QString::number(last.toLongLong());
}

}  // namespace

QString shownStatement(const db::Database &database, const QString &table, QString round, const QString &sort,
                       const QString &filter) {
    if (app::isAllRoundsTable(table))
        return app::dataWindowStatement(table, {}, true, filter, sort);
    if (!hasRoundColumn(database, table))
        return app::dataWindowStatement(table, {}, false, filter, sort);
    if (round.isEmpty())
        round = newestRound(database);
    else if (bool number = false; round.toLongLong(&number), !number)
        throw db::Error(db::err::TypeMismatchRuntime, QStringLiteral("Type mismatch"));
    return app::dataWindowStatement(table, round, true, filter, sort);
}

}  // namespace cli
