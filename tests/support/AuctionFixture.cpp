#include "support/AuctionFixture.h"

#include "db/Database.h"
#include "db/Recordset.h"
#include "import/RoundFileName.h"
#include "import/ZipExtract.h"
#include "core/JetConverter.h"

#include <QDir>
#include <QFile>

namespace testsupport {

QString roundDatabase(const ScratchDir &dir, const QString &set, int round) {
    const QString prefix = set == QLatin1String("auction-07-edge") ? QStringLiteral("07") : QStringLiteral("11");
    const QString zip = importer::roundFileName(prefix, round);
    const QString member = importer::memberNameOf(zip);
    const QString jetCopy = importer::extractMember(dataPath(set + u'/' + zip), member, dir.path(),
                                                    member + QStringLiteral(".jet"), dir.path());
    const QString sqlite = dir.path(member);
    QFile::remove(sqlite);
    jet::convertToSqlite(jetCopy, sqlite);
    QFile::remove(jetCopy);
    return sqlite;
}

void importRound(const QString &auctionPath, const QString &roundPath, int round) {
    db::Database auction = db::Database::open(auctionPath);
    db::Database roundDb = db::Database::open(roundPath);
    const auto tables = auction.openRecordset(QStringLiteral("SELECT TableName FROM sysSuppliedTables"),
                                              db::RecordsetType::Snapshot);
    for (tables->moveFirst(); !tables->eof(); tables->moveNext()) {
        const QString t = tables->value(QStringLiteral("TableName")).toString();
        if (t == QLatin1String("Withdrawal Statistics"))
            auction.execute(QStringLiteral("DELETE * FROM [%1]").arg(t));
        else
            auction.execute(QStringLiteral("DELETE * FROM [%1] WHERE [Round] = %2").arg(t).arg(round));
        roundDb.execute(QStringLiteral("INSERT INTO [%1] IN \"%2\" SELECT * FROM [%1]").arg(t, auctionPath));
    }
    roundDb.close();
    auction.execute(QStringLiteral("DELETE * FROM [sysRounds] WHERE [Round] = %1").arg(round));
    auction.execute(QStringLiteral("INSERT INTO sysRounds (Round) VALUES (%1)").arg(round));
}

QString buildAuction(const ScratchDir &dir, const QString &set, int lastRound, db::schema::Creator creator) {
    const QString first = roundDatabase(dir, set, 1);
    const QString auctionPath = dir.path(set == QLatin1String("auction-07-edge") ? QStringLiteral("Auction7.mdb")
                                                                                 : QStringLiteral("Auction11.mdb"));
    QFile::remove(auctionPath);
    QFile::rename(first, auctionPath);
    {
        db::Database auction = db::Database::open(auctionPath);
        db::schema::createSystemTables(auction, creator, set == QLatin1String("auction-07-edge") ? 7 : 11);
    }
    for (int round = 2; round <= lastRound; ++round) {
        const QString roundPath = roundDatabase(dir, set, round);
        importRound(auctionPath, roundPath, round);
        QFile::remove(roundPath);
    }
    return auctionPath;
}

QString SharedAuction::auction;
std::unique_ptr<ScratchDir> SharedAuction::sharedDir_;

void SharedAuction::buildShared(const QString &set, int lastRound) {
    sharedDir_ = std::make_unique<ScratchDir>();
    auction = buildAuction(*sharedDir_, set, lastRound);
}

void SharedAuction::TearDownTestSuite() {
    sharedDir_.reset();
    auction.clear();
}

}  // namespace testsupport
