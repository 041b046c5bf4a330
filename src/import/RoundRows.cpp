#include "import/RoundRows.h"

#include "db/Database.h"
#include "db/JetTranslator.h"
#include "db/Recordset.h"
#include "db/TableCopy.h"

namespace importer {

void copyRoundRows(db::Database &auction, const QString &roundPath, qint32 round, RoundDeletion deletion) {
    const QString alias = QStringLiteral("lw_round");
    const db::Attachment attachment(auction.handle(), roundPath, alias);
    db::Transaction transaction(auction);
    const auto tables = auction.openRecordset(QStringLiteral("SELECT TableName FROM sysSuppliedTables"),
                                              db::RecordsetType::Snapshot);
    for (tables->moveFirst(); !tables->eof(); tables->moveNext()) {
        const QString table = tables->value(0).toString();
        if (table == QLatin1String("Withdrawal Statistics"))
            auction.execute(QStringLiteral("DELETE * FROM [%1]").arg(table));
        else if (deletion == RoundDeletion::RoundRows)
            auction.execute(QStringLiteral("DELETE * FROM [%1] WHERE [Round] = %2").arg(table, QString::number(round)));
        db::insertByName(auction.handle(), QStringLiteral("main"), table,
                         QStringLiteral("SELECT * FROM [%1].%2").arg(alias, db::jet::bracketName(table)), {},
                         {{}, table, roundPath});
    }
    if (deletion == RoundDeletion::RoundRows)
        auction.execute(QStringLiteral("DELETE * FROM [sysRounds] WHERE [Round] = %1").arg(round));
    auction.execute(QStringLiteral("INSERT INTO sysRounds (Round) VALUES (%1)").arg(round));
    transaction.commit();
}

}  // namespace importer
