#include "import/Rebuild.h"

#include "core/ModuleState.h"
#include "db/Error.h"
#include "db/JetTranslator.h"
#include "db/Recordset.h"
#include "import/QueryStatement.h"

namespace importer {

namespace {

QueryClauses clausesOf(const db::Recordset &row) {
    return {row.value(QStringLiteral("Txt0")).toString(), row.value(QStringLiteral("Txt1")).toString(),
            row.value(QStringLiteral("Txt2")).toString(), row.value(QStringLiteral("Txt3")).toString(),
            row.value(QStringLiteral("Txt4")).toString()};
}

void reportQueryFailure(app::ModuleState &state, const db::Error &error) {
    state.ui().setStatus(app::kStatusPanelText,
                         QStringLiteral("Can NOT Refresh User-Defined Table Due To Open! Please Rebuild It Manually"));
    if (error.number() == db::err::TableExists) {
        const QStringList lines = {
            QStringLiteral(" The Round Import Was Successful. However... "),
            QStringLiteral(" A User Defined Table (UDT) named: ") + QStringLiteral(" < < < ") + state.RebuildingTableName +
                QStringLiteral(" > > > "),
            QStringLiteral(" is currently open in a data window."),
            QString(),
            QStringLiteral(" To be refreshed automatically in the Round Import: UDT must be closed."),
            QStringLiteral(" You can still re-build the table by running the SQL manually.")};
        state.ui().msgBox(lines.join(app::CR), {app::Buttons::OK, app::Icon::Information}, QStringLiteral("Successful Round Import!"));
    } else {
        state.ui().msgBox(QStringLiteral("User's Error:%1 %2").arg(error.number()).arg(error.description()),
                          {app::Buttons::OK, app::Icon::Information}, QStringLiteral("USER'S SQL ERROR"));
    }
}

}  // namespace

void RebuildWizardTables(app::ModuleState &state) {
    try {
        const auto rows = state.AuctionDb.openRecordset(QStringLiteral("SELECT [Table Name], [SQL String] FROM [sysWizard]"),
                                                        db::RecordsetType::Snapshot);
        if (rows->eof())
            return;
        for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
            try {
                state.AuctionDb.execute(QStringLiteral("DROP TABLE [") + rows->value(0).toString() + u']');
            } catch (const db::Error &error) {
                if (error.number() != db::err::NoSuchTableToDrop)
                    throw;
            }
            state.AuctionDb.execute(rows->value(1).toString());
        }
    } catch (const db::Error &error) {
        state.ui().msgBox(error.text(), {}, {});
    }
}

void RebuildQueryTables(app::ModuleState &state) {
    state.ui().setStatus(app::kStatusPanelText, QStringLiteral("Auto-Rebuilding Customized Table(s)...Please Standby!"));
    const QString completed = QStringLiteral("Completed Auto-Rebuilding Customized Table(s)!");
    const auto rows = state.AuctionDb.openRecordset(QStringLiteral("SELECT * FROM sysQueryBuilder"), db::RecordsetType::Snapshot);
    if (rows->eof()) {
        state.ui().setStatus(app::kStatusPanelText, completed);  // nothing to rebuild is done too
        return;
    }
    try {
        for (rows->moveFirst(); !rows->eof(); rows->moveNext()) {
            const QueryClauses clauses = clausesOf(*rows);
            const QString &into = clauses.into;
            if (into.isEmpty())
                continue;
            // A row aimed at a supplied, system or Table Wizard table is never run: it would drop that table.
            if (!reservedTableRefusal(state.AuctionDb, listedTableName(into)).isEmpty())
                continue;
            const QString listed = db::jet::singleQuoted(listedTableName(into));
            state.AuctionDb.execute(QStringLiteral("DELETE [TableName] FROM [sysTables] WHERE [TableName] = ") + listed);
            state.RebuildingTableName = into;
            try {
                state.AuctionDb.execute(QStringLiteral("drop table ") + into);
            } catch (const db::Error &) {
                // The table may not exist, or a data window may show it; building it then reports the case.
            }
            state.AuctionDb.execute(queryStatement(clauses));
            state.AuctionDb.execute(QStringLiteral("INSERT INTO [sysTables] (TableName) VALUES (") + listed + u')');
        }
        state.ui().setStatus(app::kStatusPanelText, completed);
    } catch (const db::Error &error) {
        reportQueryFailure(state, error);
    }
}

}  // namespace importer
