// Batch import: a whole auction from a folder of round files, stopping at the first missing round.
#include "common/ColumnType.h"
#include "db/Recordset.h"
#include "import/CreateAuction.h"
#include "import/ImportFixture.h"
#include "import/ImportRound.h"

#include <QFile>

#include <sqlite3.h>

TEST_F(ImportFixture, BatchImportsEveryRoundOfTheFolder) {
    const QString first = copyRounds("auction-11", 1, 12);
    ui.expectOpen(first).expectMessage("Finished Batch Import");
    ASSERT_EQ(importer::BatchImport(state), importer::Creation::Created);
    EXPECT_EQ(ui.messages.back().text, "Finished importing rounds 1 to 12.");
    EXPECT_EQ(ui.messages.back().style.icon, app::Icon::Information);
    expectRoundsWhole({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 12);
    EXPECT_EQ(ui.progress.size(), 12u);
    EXPECT_EQ(ui.progress.back(), "Round 12 of 12");
    EXPECT_EQ(filesInHome(), QStringList({"Auction11.mdb", "lastimp.inf"}));
    for (int round = 1; round <= 12; ++round)
        EXPECT_TRUE(QFile::exists(roundPath("auction-11", round)));  // the batch never deletes round files
    // The batch layout of the Query Builder table: names of at most 65 characters.
    EXPECT_THROW(state.AuctionDb.execute("INSERT INTO sysQueryBuilder (Txt5) VALUES ('" + QString(66, 'q') + "')"),
                 db::Error);
    // After the batch, Auto Import looks in the batch folder.
    copyRounds("auction-11", 13, 13);  // there is no round 13 file: nothing is found
    EXPECT_EQ(importer::NextRoundFileName(state), "NOT FOUND");
}

TEST_F(ImportFixture, BatchStopsAtAGapAndTheRestFollowsLater) {
    copyRounds("auction-11", 1, 2);
    copyRounds("auction-11", 4, 4);
    ui.expectOpen(roundPath("auction-11", 1)).expectMessage("Finished Batch Import");
    ASSERT_EQ(importer::BatchImport(state), importer::Creation::Created);
    EXPECT_EQ(ui.messages.back().text, "Finished importing rounds 1 to 2.");
    expectRoundsWhole({1, 2}, 2);

    ui.expectOpen(roundPath("auction-11", 4)).expectMessage("Round Imported Successfully");
    ASSERT_TRUE(importer::ImportRound(state, false));
    EXPECT_EQ(importer::NextRoundFileName(state), "NOT FOUND");  // round 5 is not there
    copyRounds("auction-11", 5, 5);
    ui.expectMessage("Round Imported Successfully");
    ASSERT_TRUE(importer::ImportRound(state, true));
    expectRoundsWhole({1, 2, 4, 5}, 5);
}

TEST_F(ImportFixture, BatchOfOneRoundOrAWrongFileOrStoppedByTheUser) {
    ui.expectOpen(copyRounds("auction-11", 2, 2)).expectMessage("Wrong File");
    EXPECT_EQ(importer::BatchImport(state), importer::Creation::Failed);
    EXPECT_FALSE(QFileInfo::exists(home.path("Auction11.mdb")));

    ui.expectOpen(copyRounds("auction-07-edge", 1, 1)).expectMessage("Finished Batch Import");
    ASSERT_EQ(importer::BatchImport(state), importer::Creation::Created);
    EXPECT_EQ(ui.messages.back().text, "Finished importing rounds 1 to 1.");

    copyRounds("auction-11", 1, 12);
    ui.cancelProgressAt(5);
    ui.expectOpen(roundPath("auction-11", 1)).expectMessage("Finished Batch Import");
    ASSERT_EQ(importer::BatchImport(state), importer::Creation::Created);
    EXPECT_EQ(ui.messages.back().text, "Finished importing rounds 1 to 5.");
    expectRoundsWhole({1, 2, 3, 4, 5}, 5);
    EXPECT_EQ(filesInHome(), QStringList({"Auction11.mdb", "Auction7.mdb", "lastimp.inf"}));  // no prepared round left
}

// What the program stores, query names with accents included, reads the same in stock SQLite: no unknown
// collation or function in the schema, every table readable, the indexes sound, the file marked with the scheme.
TEST_F(ImportFixture, ImportedAuctionIsSoundForStockSqlite) {
    ui.expectOpen(copyRounds("auction-11", 1, 3)).expectMessage("Finished Batch Import");
    ASSERT_EQ(importer::BatchImport(state), importer::Creation::Created);
    for (const char *name : {"Éclair", "éclair2", "Zed", "abc"})
        state.AuctionDb.execute(QStringLiteral("INSERT INTO [sysQueryBuilder] ([Txt5]) VALUES ('%1')").arg(name));
    EXPECT_EQ(count("SELECT Count(*) FROM [sysQueryBuilder] WHERE [Txt5] = 'ÉCLAIR'"), 1);
    const QString path = state.AuctionDbPath;
    state.AuctionDb.close();
    sqlite3 *stock = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(path).constData(), &stock, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    auto rows = [&](const QString &sql) {
        QStringList out;
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(stock, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql.toStdString() << ": " << sqlite3_errmsg(stock);
            return out;
        }
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        EXPECT_EQ(rc, SQLITE_DONE) << sql.toStdString() << ": " << sqlite3_errmsg(stock);
        sqlite3_finalize(statement);
        return out;
    };
    EXPECT_EQ(rows("PRAGMA integrity_check"), QStringList{"ok"});
    EXPECT_EQ(rows("PRAGMA user_version"), QStringList{QString::number(db::kStorageScheme)});
    for (const QString &sql : rows("SELECT coalesce(sql, '') FROM sqlite_master")) {
        EXPECT_FALSE(sql.contains("JETTEXT")) << sql.toStdString();
        EXPECT_FALSE(sql.contains("jet_")) << sql.toStdString();
    }
    const QStringList tables = rows("SELECT name FROM sqlite_master WHERE type = 'table'");
    EXPECT_GE(tables.size(), 10);
    for (const QString &table : tables)
        rows("SELECT * FROM \"" + table + "\"");
    for (const char *name : {"Éclair", "éclair2", "Zed", "abc"})
        EXPECT_EQ(rows(QStringLiteral("SELECT Txt5 FROM sysQueryBuilder WHERE Txt5 = '%1'").arg(name)),
                  QStringList{name});
    sqlite3_close(stock);
}
