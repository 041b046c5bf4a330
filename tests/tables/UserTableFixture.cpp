#include "tables/UserTableFixture.h"

#include "core/AuctionDatabase.h"
#include "db/JetTranslator.h"
#include "db/Recordset.h"
#include "import/Rebuild.h"
#include "support/AuctionFixture.h"

#include <QFile>

namespace {

// Built on first use; lives as long as the test program.
const QString &builtAuction() {
    static const testsupport::ScratchDir dir;
    static const QString path = testsupport::buildAuction(dir, "auction-11", 3);
    return path;
}

}  // namespace

UserTableFixture::UserTableFixture() : state(app::makeModuleState(home.path(), ui)) {
    auctionPath = home.path("Auction11.mdb");
    EXPECT_TRUE(QFile::copy(builtAuction(), auctionPath));
    app::OpenAuctionDatabase(state, auctionPath);
}

QStringList UserTableFixture::column(const QString &jetSql) {
    QStringList values;
    const auto rows = state.AuctionDb.openRecordset(jetSql, db::RecordsetType::Snapshot);
    for (; !rows->eof(); rows->moveNext())
        values << rows->value(0).toString();
    return values;
}

int UserTableFixture::count(const QString &jetSql) { return column(jetSql).value(0).toInt(); }

int UserTableFixture::listed(const QString &table) {
    return count("SELECT Count(*) FROM [sysTables] WHERE [TableName] = " + db::jet::singleQuoted(table));
}

void UserTableFixture::importNextRound() {
    const int round = ++lastRound;
    const QString roundPath = testsupport::roundDatabase(home, "auction-11", round);
    testsupport::importRound(auctionPath, roundPath, round);
    QFile::remove(roundPath);
    importer::RebuildQueryTables(state);
}
