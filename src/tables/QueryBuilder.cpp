#include "tables/QueryBuilder.h"

#include "core/ModuleState.h"
#include "db/Database.h"
#include "db/Error.h"
#include "db/JetTranslator.h"
#include "db/Recordset.h"
#include "db/Sqlite.h"

#include <iterator>

namespace tables {

using db::jet::singleQuoted;
using importer::listedTableName;

bool QueryRow::operator==(const QueryRow &other) const {
    const importer::QueryClauses &a = clauses, &b = other.clauses;
    return name == other.name && a.select == b.select && a.into == b.into && a.from == b.from && a.where == b.where &&
           a.order == b.order;
}

QList<QueryRow> loadQueries(const db::Database &database) {
    QList<QueryRow> queries;
    const auto rows =
        database.openRecordset(QStringLiteral("SELECT * FROM [sysQueryBuilder]"), db::RecordsetType::Snapshot);
    for (; !rows->eof(); rows->moveNext()) {
        const auto text = [&](const char *column) { return rows->value(QString::fromLatin1(column)).toString(); };
        queries.append({text("Txt5"), {text("Txt0"), text("Txt1"), text("Txt2"), text("Txt3"), text("Txt4")}});
    }
    return queries;
}

namespace {

bool nameTaken(const db::Database &database, const QString &name, const QString &except) {
    const auto rows = database.openRecordset(
        QStringLiteral("SELECT [Txt5] FROM [sysQueryBuilder] WHERE [Txt5] = ") + singleQuoted(name),
        db::RecordsetType::Snapshot);
    for (; !rows->eof(); rows->moveNext())
        if (except.isEmpty() || rows->value(0).toString().compare(except, Qt::CaseInsensitive) != 0)
            return true;
    return false;
}

}  // namespace

QString saveQuery(db::Database &database, const QString &storedName, const QueryRow &row) {
    if (row.name.trimmed().isEmpty())
        return QStringLiteral("A query needs a name: type one in Query Name.");
    if (nameTaken(database, row.name, storedName))
        return QStringLiteral("A query named '%1' already exists: choose another name.").arg(row.name);
    const importer::QueryClauses &c = row.clauses;
    const QString values[] = {singleQuoted(row.name), singleQuoted(c.select), singleQuoted(c.into),
                              singleQuoted(c.from), singleQuoted(c.where),   singleQuoted(c.order)};
    if (storedName.isEmpty()) {
        database.execute(QStringLiteral("INSERT INTO [sysQueryBuilder] ([Txt5], [Txt0], [Txt1], [Txt2], [Txt3], "
                                        "[Txt4]) VALUES (") +
                         QStringList(std::begin(values), std::end(values)).join(QStringLiteral(", ")) + u')');
        return {};
    }
    // Changed in place, so that the row keeps its position among the others.
    QStringList sets;
    const char *const columns[] = {"Txt5", "Txt0", "Txt1", "Txt2", "Txt3", "Txt4"};
    for (int i = 0; i < 6; ++i)
        sets << QStringLiteral("[%1] = ").arg(QLatin1String(columns[i])) + values[i];
    database.execute(QStringLiteral("UPDATE [sysQueryBuilder] SET ") + sets.join(QStringLiteral(", ")) +
                     QStringLiteral(" WHERE [Txt5] = ") + singleQuoted(storedName));
    if (database.recordsAffected() == 0)  // deleted meanwhile (another program): stored anew
        return saveQuery(database, {}, row);
    return {};
}

void deleteQuery(db::Database &database, const QString &name) {
    database.execute(QStringLiteral("DELETE * FROM [sysQueryBuilder] WHERE [Txt5] = ") + singleQuoted(name));
}

QString targetRefusal(const db::Database &database, const QString &rowName, const QString &target) {
    const QString reserved = importer::reservedTableRefusal(database, target);
    if (!reserved.isEmpty())
        return reserved;
    bool ownTable = false;
    for (const QueryRow &other : loadQueries(database)) {
        const bool sameTable = listedTableName(other.clauses.into).compare(target, Qt::CaseInsensitive) == 0;
        const bool sameRow = !rowName.isEmpty() && other.name.compare(rowName, Qt::CaseInsensitive) == 0;
        if (sameTable && sameRow)
            ownTable = true;
        else if (sameTable)
            return QStringLiteral("'%1' is the table of the query '%2'.").arg(target, other.name);
    }
    if (!ownTable && database.tableExists(target))
        return QStringLiteral("A table named '%1' already exists and was not built by this query.").arg(target);
    return {};
}

QString finishedMessage(const QString &table) {
    return QStringLiteral("     Finished building the table '") + table + u'\'' + app::CR +
           QStringLiteral("To view the table, select it from the") + app::CR +
           QStringLiteral("         Table pull-down menu.");
}

namespace {

// The old table (if any) dropped and the new one built, with its one sysTables row, or nothing at all.
void buildTable(db::Database &database, const QString &statement, const QString &into, const QString &listed) {
    db::Transaction transaction(database);
    try {
        database.execute(statement);
    } catch (const db::Error &error) {
        if (error.number() != db::err::TableExists)
            throw;
        database.execute(QStringLiteral("DROP TABLE ") + into);
        database.execute(statement);
    }
    database.execute(QStringLiteral("DELETE [TableName] FROM [sysTables] WHERE [TableName] = ") + singleQuoted(listed));
    database.execute(QStringLiteral("INSERT INTO [sysTables] (TableName) VALUES (") + singleQuoted(listed) + u')');
    transaction.commit();
}

// Builds the table, releasing a held target and trying again a bounded number of times.
void buildReleasing(db::Database &database, const QString &statement, const QString &into, const QString &target,
                    const ReleaseTable &release) {
    const QString listed = listedTableName(into);
    for (int attempt = 1;; ++attempt) {
        if (release && database.isHeld(target))
            release(target);
        try {
            buildTable(database, statement, into, listed);
            return;
        } catch (const db::Error &error) {
            if (error.number() != db::err::TableInUse || attempt >= kHeldTableTries)
                throw;
        }
    }
}

// Checks the target the statement creates, then builds it. Returns why the target was refused, or empty text.
QString buildChecked(db::Database &database, const QueryRow &row, const QString &storedName,
                     const ReleaseTable &release) {
    const QString statement = importer::queryStatement(row.clauses);
    const db::jet::Translation translation = database.translate(statement);
    if (translation.kind != db::jet::StatementKind::SelectInto)
        return QStringLiteral("The statement does not make a table.");
    const QString refusal = targetRefusal(database, storedName, translation.table);
    if (refusal.isEmpty())
        buildReleasing(database, statement, row.clauses.into, translation.table, release);
    return refusal;
}

}  // namespace

bool runQuery(app::ModuleState &state, const QString &storedName, const QueryRow &row, const ReleaseTable &release) {
    app::Prompter &ui = state.ui();
    const importer::QueryClauses &c = row.clauses;
    if (c.select.trimmed().isEmpty() || c.into.trimmed().isEmpty() || c.from.trimmed().isEmpty()) {
        ui.msgBox(QStringLiteral("SELECT, INTO, and FROM are required fields."),
                  {app::Buttons::OK, app::Icon::Exclamation}, QStringLiteral("Error"));
        return false;
    }
    QString refusal;
    try {
        const app::BusyCursor busy(ui);  // while the table is built; the outcome is shown with the normal pointer
        refusal = buildChecked(state.AuctionDb, row, storedName, release);
    } catch (const db::Error &error) {
        ui.msgBox(QStringLiteral("Error %1: %2").arg(error.number()).arg(error.description()), {}, {});
        return false;
    }
    if (!refusal.isEmpty()) {
        ui.msgBox(QStringLiteral("The table was not built, and nothing was changed:") + app::CR + refusal,
                  {app::Buttons::OK, app::Icon::Exclamation}, QStringLiteral("Error"));
        return false;
    }
    ui.msgBox(finishedMessage(listedTableName(c.into)), {}, {});
    return true;
}

}  // namespace tables
