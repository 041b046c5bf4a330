#include "import/RoundRows.h"

#include "db/Database.h"
#include "db/JetTranslator.h"
#include "db/Recordset.h"
#include "db/TableCopy.h"
#include "import/RoundCheck.h"

namespace importer {

namespace {

// True when no round after `round` has been imported yet.
bool isNewestRound(const db::Database &auction, qint32 round) {
    const auto newest = auction.openRecordset(QStringLiteral("SELECT Max([Round]) FROM [sysRounds]"),
                                              db::RecordsetType::Snapshot);
    const QVariant value = newest->value(0);
    return value.isNull() || value.toDouble() <= round;
}

}  // namespace

void copyRoundRows(db::Database &auction, const QString &roundPath, qint32 auctionId, qint32 round,
                   RoundDeletion deletion, const QString &fileName) {
    const QString alias = QStringLiteral("lw_round");
    const db::Attachment attachment(auction.handle(), roundPath, alias);
    checkRoundDatabase(auction.handle(), alias, auctionId, round, fileName);
    db::Transaction transaction(auction);
    const bool newest = isNewestRound(auction, round);
    const auto tables = auction.openRecordset(QStringLiteral("SELECT TableName FROM sysSuppliedTables"),
                                              db::RecordsetType::Snapshot);
    for (tables->moveFirst(); !tables->eof(); tables->moveNext()) {
        const QString table = tables->value(0).toString();
        if (table == QLatin1String("Withdrawal Statistics")) {
            if (!newest)
                continue;
            auction.execute(QStringLiteral("DELETE * FROM [%1]").arg(table));
        } else if (deletion == RoundDeletion::RoundRows) {
            auction.execute(QStringLiteral("DELETE * FROM [%1] WHERE [Round] = %2").arg(table, QString::number(round)));
        }
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
