// Importing single rounds: by dialog and by Auto Import, again, from the wrong auction, from damaged files.
#include "db/Recordset.h"
#include "import/CreateAuction.h"
#include "import/ImportFixture.h"
#include "import/ImportRound.h"
#include "support/AuctionFixture.h"

#include <QDir>
#include <QDateTime>
#include <QFile>

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
    EXPECT_EQ(ui.statuses, QStringList({"Auto-Rebuilding Customized Table(s)...Please Standby!",
                                        "Auto-Rebuilding Customized Table(s)...Please Standby!"}));

    // Withdrawal Statistics always holds the last file's rows; Yes deletes the zip.
    ui.expectOpen(copyRounds("auction-11", 6, 6)).expectMessage("Round Imported Successfully", app::Answer::Yes);
    ASSERT_TRUE(importer::ImportRound(state, false));
    EXPECT_FALSE(QFileInfo::exists(roundPath("auction-11", 6)));
    expectRoundsWhole({1, 2, 6}, 6);
    ui.expectOpen(second).expectMessage("Round Imported Successfully");
    ASSERT_TRUE(importer::ImportRound(state, false));
    expectRoundsWhole({1, 2, 6}, 2);
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
    EXPECT_EQ(ui.messages.back().text, "Error:53 File not found");
    EXPECT_EQ(ui.dialogs.back().initialDir, "");
    EXPECT_FALSE(QFileInfo::exists(state.LastImportFile));

    expectRoundsWhole({1}, 1);
    EXPECT_EQ(filesInHome(), QStringList({"Auction11.mdb"}));
}

namespace {

// A round file of auction 7 whose round database lacks one supplied table ("Sysop Notes").
QString roundFileWithoutTable(const testsupport::ScratchDir &work, const QString &zipPath) {
    const QString sqlite = testsupport::roundDatabase(work, "auction-07-edge", 2);
    {
        db::Database round = db::Database::open(sqlite);
        round.execute("DROP TABLE [Sysop Notes]");
    }
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    zip_source_t *source = zip_source_file(archive, QFile::encodeName(sqlite).constData(), 0, -1);
    zip_file_add(archive, "07_002.mdb", source, 0);
    zip_close(archive);
    return zipPath;
}

}  // namespace

TEST_F(ImportFixture, RoundWithoutASuppliedTableIsNotImportedAtAll) {
    ui.expectOpen(copyRounds("auction-07-edge", 1, 1)).expectMessage("Round Imported Successfully");
    ASSERT_TRUE(importer::CreateAuction(state));
    const int bidsBefore = count("SELECT Count(*) FROM [All Bids]");
    testsupport::ScratchDir work;
    ui.expectOpen(roundFileWithoutTable(work, roundPath("auction-07-edge", 2))).expectMessage("");
    EXPECT_FALSE(importer::ImportRound(state, false));
    EXPECT_TRUE(ui.messages.back().text.startsWith("Error:3078 ")) << ui.messages.back().text;
    EXPECT_TRUE(ui.messages.back().text.contains("'Sysop Notes'"));
    // The tables before "Sysop Notes" were written in the same transaction, so they are back as they were.
    EXPECT_EQ(count("SELECT Count(*) FROM [All Bids]"), bidsBefore);
    EXPECT_EQ(rounds(), QStringList({"1"}));
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
}

TEST_F(ImportFixture, AutoImportFindsFilesOfSingleDigitAuctions) {
    ui.expectOpen(copyRounds("auction-07-edge", 1, 3)).expectMessage("Round Imported Successfully");
    ASSERT_TRUE(importer::CreateAuction(state));
    EXPECT_EQ(importer::NextRoundFileName(state), roundPath("auction-07-edge", 2));  // 07_002.zip, not 7_002.zip
    ui.expectMessage("Round Imported Successfully").expectMessage("Round Imported Successfully");
    ASSERT_TRUE(importer::ImportRound(state, true));
    ASSERT_TRUE(importer::ImportRound(state, true));
    EXPECT_EQ(rounds(), QStringList({"1", "2", "3"}));
    EXPECT_EQ(count("SELECT Count(*) FROM [Sysop Notes]"), 5);
    EXPECT_EQ(column("SELECT [Round] FROM [Sysop Notes] WHERE [Note] Like \"Bidders'*\""), QStringList({"1", "3"}));
}

TEST_F(ImportFixture, WorkFilesOfKilledImportsAreSweptAway) {
    createAuction11();
    const QStringList names = {".11_002.mdb.zipped", ".11_002.mdb.x1y2.part", ".Auction11.mdb.new-wal", ".notes.txt"};
    for (const QString &name : names) {
        QFile file(home.path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("left behind");
        file.flush();
        file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime);
    }
    QFile fresh(home.path(".11_003.mdb.zipped"));  // an import running right now in another window: kept
    ASSERT_TRUE(fresh.open(QIODevice::WriteOnly));
    fresh.close();
    ui.expectOpenCancelled();
    EXPECT_FALSE(importer::ImportRound(state, false));
    EXPECT_EQ(filesInHome(), QStringList({".11_003.mdb.zipped", ".notes.txt", "Auction11.mdb", "lastimp.inf"}));
}
