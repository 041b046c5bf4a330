#include "import/Rebuild.h"

#include "core/ModuleState.h"
#include "db/Error.h"
#include "db/JetTranslator.h"
#include "db/Recordset.h"

namespace importer {

namespace {

// The name a Query Builder target is listed under in sysTables: without blanks around it and without the
// brackets it may be written with, as the Query Builder lists it, so that every rebuild replaces the same row.
QString listedName(const QString &into) {
    QString name = into.trimmed();
    if (name.startsWith(u'[') && name.endsWith(u']'))
        name = name.mid(1, name.size() - 2);
    return name;
}

QString rebuildStatement(const db::Recordset &row) {
    const QString where = row.value(QStringLiteral("Txt3")).toString();
    const QString order = row.value(QStringLiteral("Txt4")).toString();
    QString sql = QStringLiteral("SELECT ") + row.value(QStringLiteral("Txt0")).toString() + QStringLiteral(" INTO ") +
                  row.value(QStringLiteral("Txt1")).toString() + QStringLiteral(" FROM ") +
                  row.value(QStringLiteral("Txt2")).toString();
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    if (!order.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + order;
    return sql;
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
            const QString into = rows->value(QStringLiteral("Txt1")).toString();
            if (into.isEmpty())
                continue;
            const QString listed = db::jet::singleQuoted(listedName(into));
            state.AuctionDb.execute(QStringLiteral("DELETE [TableName] FROM [sysTables] WHERE [TableName] = ") + listed);
            state.RebuildingTableName = into;
            try {
                state.AuctionDb.execute(QStringLiteral("drop table ") + into);
            } catch (const db::Error &) {
                // The table may not exist, or a data window may show it; building it then reports the case.
            }
            state.AuctionDb.execute(rebuildStatement(*rows));
            state.AuctionDb.execute(QStringLiteral("INSERT INTO [sysTables] (TableName) VALUES (") + listed + u')');
        }
        state.ui().setStatus(app::kStatusPanelText, completed);
    } catch (const db::Error &error) {
        reportQueryFailure(state, error);
    }
}

}  // namespace importer
