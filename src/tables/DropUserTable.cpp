#include "tables/DropUserTable.h"

#include "core/ModuleState.h"
#include "db/Error.h"
#include "db/JetTranslator.h"
#include "db/Recordset.h"
#include "db/Sqlite.h"
#include "import/QueryStatement.h"

namespace tables {

bool mayDrop(const app::ModuleState &state, const QString &table) {
    if (importer::isSystemTableName(table))
        return false;
    const auto supplied = state.AuctionDb.openRecordset(
        QStringLiteral("SELECT [TableName] FROM [sysSuppliedTables] WHERE [TableName] = ") +
            db::jet::singleQuoted(table),
        db::RecordsetType::Snapshot);
    return supplied->eof();
}

namespace {

void showError(app::Prompter &ui, const db::Error &error) {
    ui.msgBox(QStringLiteral("Error %1: %2").arg(error.number()).arg(error.description()), {}, {});
}

void dropStatements(db::Database &database, const QString &table) {
    const QString quoted = db::jet::singleQuoted(table);
    db::Transaction transaction(database);
    database.execute(QStringLiteral("DROP TABLE [") + table + u']');
    database.execute(QStringLiteral("DELETE [TableName] FROM [sysTables] WHERE [TableName] = ") + quoted);
    database.execute(QStringLiteral("DELETE * FROM [sysWizard] WHERE [Table Name] = ") + quoted);
    transaction.commit();
}

}  // namespace

DropOutcome DropUserTable(app::ModuleState &state, const QString &table, const std::function<void()> &release) {
    app::Prompter &ui = state.ui();
    bool allowed = false;
    try {
        const app::BusyCursor busy(ui);
        allowed = mayDrop(state, table);
    } catch (const db::Error &error) {
        showError(ui, error);
        return DropOutcome::Failed;
    }
    if (!allowed) {
        ui.msgBox(QStringLiteral("Access to ") + table + QStringLiteral(" denied."),
                  {app::Buttons::OK, app::Icon::Exclamation}, QStringLiteral("Access Denied"));
        return DropOutcome::Refused;
    }
    const app::Answer answer = ui.msgBox(QStringLiteral("This action will permanently delete") + app::CR +
                                             QStringLiteral("the current table, continue anyway?"),
                                         {app::Buttons::YesNo}, QStringLiteral("Caution"));
    if (answer != app::Answer::Yes)
        return DropOutcome::Declined;
    try {
        const app::BusyCursor busy(ui);  // while the table is dropped; an error is shown with the normal pointer
        if (release)
            release();
        dropStatements(state.AuctionDb, table);
    } catch (const db::Error &error) {
        showError(ui, error);
        return DropOutcome::Failed;
    }
    return DropOutcome::Dropped;
}

}  // namespace tables
