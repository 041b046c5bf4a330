// Importing single rounds: by dialog and by Auto Import, again, from the wrong auction, from damaged files.
#include "core/AuctionDatabase.h"
#include "db/Recordset.h"
#include "db/Sqlite.h"
#include "import/CreateAuction.h"
#include "import/ImportFixture.h"
#include "import/ImportRound.h"
#include "import/RoundFileName.h"
#include "import/RoundRows.h"
#include "import/ZipExtract.h"
#include "support/AuctionFixture.h"

#include <QDir>
#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QCoreApplication>

#include <zip.h>

using testsupport::lines;

TEST_F(ImportFixture, DialogImportAppendsTheRoundAndReplacesItWhenImportedAgain) {
    createAuction11();
    const QString second = copyRounds("auction-11", 2, 2);
    for (int time = 0; time < 2; ++time) {
        ui.expectOpen(second).expectMessage("Round Imported Successfully");
        ASSERT_TRUE(importer::ImportRound(state, false));
    }
    EXPECT_EQ(lines(ui.messages.back().text),
              QStringList({"  Round 2 has been successfully imported.", "Would you like to delete the round results",
                           "                  file you just imported?"}));
    EXPECT_EQ(ui.dialogs.back().initialDir, downloads.path() + "/");
    expectRoundsWhole({1, 2}, 2);
    EXPECT_TRUE(QFileInfo::exists(second));
    EXPECT_EQ(filesInHome(), QStringList({"Auction11.mdb", "lastimp.inf"}));  // the extracted database is gone
    // No stored queries: each import's rebuild is completed at once.
    EXPECT_EQ(ui.statuses, QStringList({"Auto-Rebuilding Customized Table(s)...Please Standby!",
                                        "Completed Auto-Rebuilding Customized Table(s)!",
                                        "Auto-Rebuilding Customized Table(s)...Please Standby!",
                                        "Completed Auto-Rebuilding Customized Table(s)!"}));

    // Withdrawal Statistics always holds the last file's rows; Yes deletes the zip.
    ui.expectOpen(copyRounds("auction-11", 6, 6)).expectMessage("Round Imported Successfully", app::Answer::Yes);
    ASSERT_TRUE(importer::ImportRound(state, false));
    EXPECT_FALSE(QFileInfo::exists(roundPath("auction-11", 6)));
    expectRoundsWhole({1, 2, 6}, 6);
    // An older round brought in after a newer one keeps the newer list of withdrawals.
    ui.expectOpen(second).expectMessage("Round Imported Successfully");
    ASSERT_TRUE(importer::ImportRound(state, false));
    expectRoundsWhole({1, 2, 6}, 6);
    ui.expectOpen(copyRounds("auction-11", 5, 5)).expectMessage("Round Imported Successfully");
    ASSERT_TRUE(importer::ImportRound(state, false));
    expectRoundsWhole({1, 2, 5, 6}, 6);
}

TEST_F(ImportFixture, FilesThatCannotBeImportedChangeNothing) {
    createAuction11();
    const QString other = downloads.path("07_002.zip");
    QFile::copy(testsupport::dataPath("auction-07-edge/07_002.zip"), other);
    ui.expectOpen(other).expectMessage("Wrong Round Results File");
    EXPECT_FALSE(importer::ImportRound(state, false));
    EXPECT_EQ(ui.messages.back().style.icon, app::Icon::Exclamation);
    EXPECT_EQ(lines(ui.messages.back().text).value(1), "does not belong to the auction you currently have open.");

    // A damaged file: the archive's own checks refuse it; nothing is left in the home directory.
    QFile original(testsupport::dataPath("auction-11/11_003.zip"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    QByteArray bytes = original.readAll();
    bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 0x5a);
    QFile damaged(roundPath("auction-11", 3));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(bytes);
    damaged.close();
    ui.expectOpen(damaged.fileName()).expectMessage("");
    EXPECT_FALSE(importer::ImportRound(state, false));
    EXPECT_TRUE(ui.messages.back().text.startsWith("Error:321 ")) << ui.messages.back().text;

    // Cancelling the dialog shows nothing and leaves the last-import file as it was.
    QFile::remove(state.LastImportFile);
    ui.expectMessage("").expectOpenCancelled();  // no last-import file: its error first, then the dialog
    EXPECT_FALSE(importer::ImportRound(state, false));
    EXPECT_EQ(ui.messages.back().text, "Error:53 File not found: '" + state.LastImportFile + "'");
    EXPECT_EQ(ui.dialogs.back().initialDir, "");
    EXPECT_FALSE(QFileInfo::exists(state.LastImportFile));

    expectRoundsWhole({1}, 1);
    EXPECT_EQ(filesInHome(), QStringList({"Auction11.mdb"}));
}

namespace {

// A zip holding `member`, a copy of the file at `content`.
QString zipHolding(const QString &zipPath, const QString &member, const QString &content) {
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    zip_source_t *source = zip_source_file(archive, QFile::encodeName(content).constData(), 0, -1);
    zip_file_add(archive, member.toUtf8().constData(), source, 0);
    zip_close(archive);
    return zipPath;
}

}  // namespace

TEST_F(ImportFixture, RoundWithoutASuppliedTableIsNotImportedAtAll) {
    ui.expectOpen(copyRounds("auction-07-edge", 1, 1)).expectMessage("Round Imported Successfully");
    ASSERT_EQ(importer::CreateAuction(state), importer::Creation::Created);
    const int bidsBefore = count("SELECT Count(*) FROM [All Bids]");
    testsupport::ScratchDir work;
    const QString round = testsupport::roundDatabase(work, "auction-07-edge", 2);
    {
        db::Database database = db::Database::open(round);
        database.execute("DROP TABLE [Sysop Notes]");
    }
    try {
        importer::copyRoundRows(state.AuctionDb, round, 7, 2, importer::RoundDeletion::RoundRows, "07_002.zip");
        ADD_FAILURE() << "a round database without 'Sysop Notes' was imported";
    } catch (const db::Error &error) {
        EXPECT_EQ(error.number(), 3078);
        EXPECT_TRUE(error.description().contains("'Sysop Notes'")) << error.description();
    }
    // The tables before "Sysop Notes" were written in the same transaction, so they are back as they were.
    EXPECT_EQ(count("SELECT Count(*) FROM [All Bids]"), bidsBefore);
    EXPECT_EQ(rounds(), QStringList({"1"}));
}

// Only a Jet member is a round database: an SQLite one (which may carry triggers that would become part of the
// auction) is refused, in an import and in a creation.
TEST_F(ImportFixture, RoundFileHoldingAnSqliteDatabaseIsRefused) {
    testsupport::ScratchDir work;
    const QString sqlite = testsupport::roundDatabase(work, "auction-11", 1);
    {
        db::Database database = db::Database::open(sqlite);
        db::exec(database.handle(),
                 "CREATE TRIGGER wipe AFTER INSERT ON \"Markets\" BEGIN DELETE FROM \"All Bids\"; END");
    }
    ui.expectOpen(zipHolding(downloads.path("11_001.zip"), "11_001.mdb", sqlite)).expectMessage("");
    EXPECT_EQ(importer::CreateAuction(state), importer::Creation::Failed);
    EXPECT_TRUE(ui.messages.back().text.startsWith("Error:3343 ")) << ui.messages.back().text;
    EXPECT_TRUE(ui.messages.back().text.contains("SQLite")) << ui.messages.back().text;
    EXPECT_EQ(filesInHome(), QStringList({"lastimp.inf"}));

    QFile::remove(downloads.path("11_001.zip"));
    createAuction11();
    ui.expectOpen(zipHolding(downloads.path("11_002.zip"), "11_002.mdb", sqlite)).expectMessage("");
    EXPECT_FALSE(importer::ImportRound(state, false));
    EXPECT_TRUE(ui.messages.back().text.startsWith("Error:3343 ")) << ui.messages.back().text;
    expectRoundsWhole({1}, 1);
    EXPECT_EQ(filesInHome(), QStringList({"Auction11.mdb", "lastimp.inf"}));
}

// The file name alone gives auction and round: a name of any other shape is refused, and so is a file whose rows
// are of another auction or round than its name says. Nothing changes in the auction database.
TEST_F(ImportFixture, OddNamesAndRowsOfAnotherAuctionOrRoundAreRefused) {
    createAuction11();
    const QString five = testsupport::dataPath("auction-11/11_005.zip");
    for (const char *name : {"11_0005.zip", "11_-05.zip", "11_1e1.zip", "11_5.5.zip", "11-005.zip", "11_000.zip"}) {
        const QString path = downloads.path(name);
        QFile::copy(five, path);
        ui.expectOpen(path).expectMessage("Not a Round Results File");
        EXPECT_FALSE(importer::ImportRound(state, false)) << name;
        EXPECT_TRUE(ui.messages.back().text.startsWith(
            QString("'%1' is not the name of a round results file.").arg(name)))
            << ui.messages.back().text;
        EXPECT_TRUE(ui.messages.back().text.contains("11_005.zip"));
    }
    // Round databases under another file's name: auction 7's round 2 as 11_002.zip, round 3 as 11_005.zip.
    testsupport::ScratchDir work;
    const auto renamed = [&](const QString &from, const QString &member, const QString &to) {
        const QString jet = importer::extractMember(testsupport::dataPath(from), member, work.path(), {}, work.path());
        return zipHolding(downloads.path(to), importer::memberNameOf(to), jet);
    };
    const std::vector<std::pair<QString, QString>> foreign = {
        {renamed("auction-07-edge/07_002.zip", "07_002.mdb", "11_002.zip"), "rows of another auction than 11"},
        {renamed("auction-11/11_003.zip", "11_003.mdb", "11_005.zip"), "rows of another round than 5"}};
    for (const auto &[path, why] : foreign) {
        ui.expectOpen(path).expectMessage("");
        EXPECT_FALSE(importer::ImportRound(state, false));
        EXPECT_TRUE(ui.messages.back().text.startsWith("Error:321 ")) << ui.messages.back().text;
        EXPECT_TRUE(ui.messages.back().text.contains(why)) << ui.messages.back().text;
    }
    expectRoundsWhole({1}, 1);
    EXPECT_EQ(filesInHome(), QStringList({"Auction11.mdb", "lastimp.inf"}));
}

TEST_F(ImportFixture, AutoImportTakesTheNextFileOrFallsBackToTheDialog) {
    createAuction11();
    copyRounds("auction-11", 2, 3);
    ui.expectMessage("Round Imported Successfully");
    ASSERT_TRUE(importer::ImportRound(state, true));
    EXPECT_TRUE(ui.dialogs.size() == 1u);  // only creation's
    ui.expectMessage("Round Imported Successfully");
    ASSERT_TRUE(importer::ImportRound(state, true));
    expectRoundsWhole({1, 2, 3}, 3);
    EXPECT_EQ(importer::NextRoundFileName(state), "NOT FOUND");
    ui.expectOpenCancelled();
    EXPECT_FALSE(importer::ImportRound(state, true));
    EXPECT_EQ(ui.dialogs.size(), 2u);

    // Without a last-import file: its error once, naming the file, then the dialog.
    QFile::remove(state.LastImportFile);
    const size_t shown = ui.messages.size();
    ui.expectMessage("").expectOpenCancelled();
    EXPECT_FALSE(importer::ImportRound(state, true));
    ASSERT_EQ(ui.messages.size(), shown + 1);
    EXPECT_EQ(ui.messages.back().text, "Error:53 File not found: '" + state.LastImportFile + "'");
    EXPECT_EQ(ui.dialogs.size(), 3u);
}

// With no auction open (a creation made nothing) an import says so before any dialog.
TEST_F(ImportFixture, ImportWithNoAuctionOpenSaysSo) {
    for (const bool automatic : {false, true}) {
        ui.expectMessage("No Auction Open");
        EXPECT_FALSE(importer::ImportRound(state, automatic));
        EXPECT_EQ(lines(ui.messages.back().text).value(0),
                  "No auction is open, so there is nothing to import the round into.");
    }
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(ImportFixture, AutoImportFindsFilesOfSingleDigitAuctions) {
    ui.expectOpen(copyRounds("auction-07-edge", 1, 3)).expectMessage("Round Imported Successfully");
    ASSERT_EQ(importer::CreateAuction(state), importer::Creation::Created);
    EXPECT_EQ(importer::NextRoundFileName(state), roundPath("auction-07-edge", 2));  // 07_002.zip, not 7_002.zip
    ui.expectMessage("Round Imported Successfully").expectMessage("Round Imported Successfully");
    ASSERT_TRUE(importer::ImportRound(state, true));
    ASSERT_TRUE(importer::ImportRound(state, true));
    EXPECT_EQ(rounds(), QStringList({"1", "2", "3"}));
    EXPECT_EQ(count("SELECT Count(*) FROM [Sysop Notes]"), 5);
    EXPECT_EQ(column("SELECT [Round] FROM [Sysop Notes] WHERE [Note] Like \"Bidders'*\""), QStringList({"1", "3"}));
}

// A damaged auction database is found before anything is written into it, even where the import would not look.
TEST_F(ImportFixture, ImportIntoADamagedAuctionDatabaseIsRefused) {
    createAuction11();
    state.AuctionDb.execute("CREATE TABLE [Notes] ([Note] TEXT(255))");
    for (int i = 0; i < 200; ++i)
        state.AuctionDb.execute(
            QString("INSERT INTO [Notes] ([Note]) VALUES ('%1')").arg(QString(200, QChar('a' + i % 26))));
    const auto valueOf = [&](const QString &sql) {
        db::Statement statement(state.AuctionDb.handle(), sql);  // finished before the database is closed
        return statement.step() ? statement.value(0).toLongLong() : -1;
    };
    const qint64 page = valueOf("SELECT rootpage FROM sqlite_master WHERE name = 'Notes'");
    const qint64 pageSize = valueOf("PRAGMA page_size");
    ASSERT_GT(page, 1);
    const QString path = state.AuctionDbPath;
    state.AuctionDb.close();
    {
        QFile file(path);  // the table's root page no longer says what kind of page it is
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek((page - 1) * pageSize));
        file.write(QByteArray(8, char(0x7f)));
    }
    app::OpenAuctionDatabase(state, path);
    ui.expectOpen(copyRounds("auction-11", 2, 2)).expectMessage("Unsuccessful Import");
    EXPECT_FALSE(importer::ImportRound(state, false));
    EXPECT_TRUE(ui.messages.back().text.contains("is damaged")) << ui.messages.back().text;
    EXPECT_TRUE(ui.messages.back().text.contains("Nothing was imported.")) << ui.messages.back().text;
    EXPECT_EQ(rounds(), QStringList({"1"}));
    EXPECT_EQ(count("SELECT Count(*) FROM [All Bids] WHERE [Round] = 2"), 0);
}

TEST_F(ImportFixture, WorkFilesOfKilledImportsAreSweptAway) {
    createAuction11();
    // A process that has ended: the work files named after it are abandoned, however new they are.
    QProcess ended;
    ended.start("true");
    ASSERT_TRUE(ended.waitForStarted());
    const QString dead = QString::number(ended.processId());
    ASSERT_TRUE(ended.waitForFinished());
    const QString alive = QString::number(QCoreApplication::applicationPid());
    const auto leave = [&](const QString &name, int daysOld) {
        QFile file(home.path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("left behind");
        file.flush();
        file.setFileTime(QDateTime::currentDateTime().addDays(-daysOld), QFileDevice::FileModificationTime);
    };
    for (const char *name : {".11_002.mdb.zipped", ".11_002.mdb.x1y2.part", ".Auction11.mdb.new-wal", ".notes.txt"})
        leave(name, 1);
    const QString roundOfDead = ".11_004.mdb.lw-" + dead + "-3-00af.round";
    for (const QString &name : {roundOfDead, roundOfDead + "-journal", "." + roundOfDead + ".k2j4.part",
                                ".Auction11.mdb.lw-" + dead + "-1-0b0b.new"})
        leave(name, 0);
    leave(".11_006.mdb.lw-" + alive + "-9-1234.zipped", 2);  // its id has been taken by another process since
    leave(".11_003.mdb.zipped", 0);                          // imports running right now in other windows: kept
    leave(".11_005.mdb.lw-" + alive + "-8-1234.round", 0);
    ui.expectOpenCancelled();
    EXPECT_FALSE(importer::ImportRound(state, false));
    EXPECT_EQ(filesInHome(), QStringList({".11_003.mdb.zipped", ".11_005.mdb.lw-" + alive + "-8-1234.round",
                                          ".notes.txt", "Auction11.mdb", "lastimp.inf"}));
}
