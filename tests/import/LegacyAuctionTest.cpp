// An auction database of the earlier Windows program: opened, it becomes an SQLite copy beside it, the original
// stays as it was, and imports into the copy rebuild its stored tables.
#include "core/AuctionDatabase.h"
#include "db/Recordset.h"
#include "import/ImportFixture.h"
#include "import/ImportRound.h"

#include <QCryptographicHash>
#include <QFile>

using testsupport::lines;

namespace {

QByteArray digest(const QString &path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

}  // namespace

TEST_F(ImportFixture, LegacyAuctionIsConvertedOnceAndImportsRebuildItsTables) {
    const QString legacy = downloads.path("Auction11.mdb");
    ASSERT_TRUE(QFile::copy(testsupport::dataPath("legacy/Auction11.mdb"), legacy));
    const QByteArray before = digest(legacy);

    ui.expectMessage("");
    app::OpenAuctionDatabase(state, legacy);
    const QString copy = downloads.path("Auction11-lotwise.mdb");
    EXPECT_EQ(state.AuctionDbPath, copy);
    EXPECT_EQ(lines(ui.messages.back().text).value(1), legacy);
    EXPECT_EQ(lines(ui.messages.back().text).value(4), copy);
    EXPECT_EQ(ui.messages.back().style.icon, app::Icon::Information);
    EXPECT_EQ(rounds(), QStringList({"1", "2", "3", "4", "5", "6"}));

    copyRounds("auction-11", 7, 7);
    ui.expectMessage("").expectOpen(roundPath("auction-11", 7)).expectMessage("Round Imported Successfully");  // no last-import file yet
    ASSERT_TRUE(importer::ImportRound(state, false));
    expectRoundsWhole({1, 2, 3, 4, 5, 6, 7}, 7);
    EXPECT_EQ(count("SELECT Count(*) FROM [High Bids Over 1M]"),
              count("SELECT Count(*) FROM [All Bids] WHERE [Net Bid Amount] > 1000000"));
    EXPECT_EQ(count("SELECT Count(*) FROM [Big Bids]"),
              count("SELECT Count(*) FROM [All Bids] WHERE [Net Bid Amount] > 5000000"));
    EXPECT_GT(count("SELECT Count(*) FROM [Big Bids]"), 18);
    EXPECT_EQ(column("SELECT [TableName] FROM [sysTables] WHERE [TableName] Like '*Big Bids*'"), QStringList({"Big Bids"}));
    // Its Query Builder names are still one per query.
    EXPECT_THROW(state.AuctionDb.execute("INSERT INTO sysQueryBuilder (Txt5) VALUES ('big bids')"), db::Error);

    // Opening the original again opens the copy, with the round imported into it.
    ui.expectMessage("");
    app::OpenAuctionDatabase(state, legacy);
    EXPECT_EQ(state.AuctionDbPath, copy);
    EXPECT_TRUE(ui.messages.back().text.contains("already been converted"));
    EXPECT_EQ(rounds().size(), 7);
    EXPECT_EQ(digest(legacy), before);
}
