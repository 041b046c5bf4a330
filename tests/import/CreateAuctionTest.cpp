// Creating an auction from its round 1 file: the database, the last-import file, the questions, the refusals.
#include "db/Recordset.h"
#include "import/CreateAuction.h"
#include "import/ImportFixture.h"
#include "import/ZipExtract.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>

#include <zip.h>

using testsupport::lines;

TEST_F(ImportFixture, CreatesAuctionFromRoundOne) {
    createAuction11();
    const QString path = QDir(home.path()).filePath("Auction11.mdb");
    EXPECT_EQ(state.AuctionDbPath, path);
    EXPECT_EQ(ui.caption, "Lotwise - " + path);
    EXPECT_EQ(column("Select [Auction ID] From [sysAuction]"), QStringList({"11"}));
    expectRoundsWhole({1}, 1);
    EXPECT_EQ(column("SELECT * FROM [sysTables]").size(), 11);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].filter, "Zip (*.zip)|*.zip");
    EXPECT_EQ(ui.dialogs[0].flags, 4);
    EXPECT_EQ(lines(ui.messages.back().text),
              QStringList({"Auction 11 has been successfully created.", "   Would you like to delete the round",
                           "      results file you just imported?"}));
    EXPECT_EQ(ui.messages.back().style.defaultButton, app::DefaultButton::Second);  // No
    EXPECT_TRUE(QFileInfo::exists(roundPath("auction-11", 1)));                   // kept on No
    QFile last(state.LastImportFile);
    ASSERT_TRUE(last.open(QIODevice::ReadOnly));
    EXPECT_EQ(last.readAll(), (downloads.path() + "/").toUtf8() + "\r\n");
    EXPECT_EQ(filesInHome(), QStringList({"Auction11.mdb", "lastimp.inf"}));
}

TEST_F(ImportFixture, CreationAnswersAndRefusals) {
    // Yes deletes the round 1 file.
    ui.expectOpen(copyRounds("auction-07-edge", 1, 1)).expectMessage("Round Imported Successfully", app::Answer::Yes);
    ASSERT_EQ(importer::CreateAuction(state), importer::Creation::Created);
    EXPECT_FALSE(QFileInfo::exists(roundPath("auction-07-edge", 1)));
    EXPECT_EQ(column("SELECT TableName FROM sysSuppliedTables").filter("sys", Qt::CaseInsensitive),
              QStringList({"Sysop Notes"}));  // sysScratch is the program's kind of name, Sysop Notes is not

    // A round 2 file creates nothing, but the last-import file already names its folder.
    QFile::remove(state.LastImportFile);
    ui.expectOpen(copyRounds("auction-11", 2, 2)).expectMessage("Wrong File");
    EXPECT_EQ(importer::CreateAuction(state), importer::Creation::Failed);
    EXPECT_EQ(lines(ui.messages.back().text), QStringList({"This file does not contain round 1!", "           Please try again."}));
    EXPECT_FALSE(QFileInfo::exists(home.path("Auction11.mdb")));
    EXPECT_TRUE(QFileInfo::exists(state.LastImportFile));

    // A name of another shape is not a round results file: its digits would give some other round.
    QFile::copy(roundPath("auction-11", 2), downloads.path("11_abc.zip"));
    QFile::copy(roundPath("auction-11", 2), downloads.path("11_0001.zip"));
    for (const char *name : {"11_abc.zip", "11_0001.zip"}) {
        ui.expectOpen(downloads.path(name)).expectMessage("Not a Round Results File");
        EXPECT_EQ(importer::CreateAuction(state), importer::Creation::Failed);
        EXPECT_EQ(lines(ui.messages.back().text).value(0),
                  QString("'%1' is not the name of a round results file.").arg(name));
    }
    EXPECT_FALSE(QFileInfo::exists(home.path("Auction11.mdb")));

    // Round 1 of auction 7 under auction 11's name: its rows say otherwise, and nothing is made of it.
    testsupport::ScratchDir work;
    const QString jet = importer::extractMember(testsupport::dataPath("auction-07-edge/07_001.zip"), "07_001.mdb",
                                                work.path(), "11_001.mdb", work.path());
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(downloads.path("11_001.zip")).constData(), ZIP_CREATE, &code);
    zip_file_add(archive, "11_001.mdb", zip_source_file(archive, QFile::encodeName(jet).constData(), 0, -1), 0);
    ASSERT_EQ(zip_close(archive), 0);
    ui.expectOpen(downloads.path("11_001.zip")).expectMessage("");
    EXPECT_EQ(importer::CreateAuction(state), importer::Creation::Failed);
    EXPECT_TRUE(ui.messages.back().text.startsWith("Error:321 ")) << ui.messages.back().text;
    EXPECT_TRUE(ui.messages.back().text.contains("rows of another auction than 11")) << ui.messages.back().text;
    EXPECT_EQ(filesInHome(), QStringList({"Auction7.mdb", "lastimp.inf"}));

    // Cancelling the dialog is told to the caller (which asks the opening question again), not shown.
    const size_t shown = ui.messages.size();
    ui.expectOpenCancelled();
    EXPECT_EQ(importer::CreateAuction(state), importer::Creation::Cancelled);
    EXPECT_EQ(ui.messages.size(), shown);
}

TEST_F(ImportFixture, ExistingAuctionIsReplacedOnlyWhenConfirmed) {
    createAuction11();
    state.AuctionDb.execute("INSERT INTO sysRounds (Round) VALUES (99)");
    ui.expectOpen(roundPath("auction-11", 1)).expectMessage("New Auction");  // No, the default
    EXPECT_EQ(importer::CreateAuction(state), importer::Creation::Failed);
    EXPECT_EQ(ui.messages.back().style.defaultButton, app::DefaultButton::Second);
    EXPECT_EQ(rounds(), QStringList({"1", "99"}));
    ui.expectOpen(roundPath("auction-11", 1))
        .expectMessage("New Auction", app::Answer::Yes)
        .expectMessage("Round Imported Successfully");
    EXPECT_EQ(importer::CreateAuction(state), importer::Creation::Created);
    EXPECT_EQ(rounds(), QStringList({"1"}));
    EXPECT_EQ(filesInHome(), QStringList({"Auction11.mdb", "lastimp.inf"}));
}

TEST_F(ImportFixture, MissingHomeDirectoryIsMadeAgain) {
    const QString first = copyRounds("auction-11", 1, 1);
    ASSERT_TRUE(QDir(home.path()).removeRecursively());
    ui.expectOpen(first).expectMessage("").expectMessage("Round Imported Successfully");
    ASSERT_EQ(importer::CreateAuction(state), importer::Creation::Created);
    EXPECT_EQ(ui.messages.front().text, "Error:76 Path not found");  // the last-import file could not be written
    expectRoundsWhole({1}, 1);
}

// The round 1 dialog starts in a folder that exists, with no name typed: the last import folder, else the
// download folder, else the home folder. A missing folder would be offered as a file name by the dialog.
TEST_F(ImportFixture, RoundOneDialogStartsInAFolderThatExists) {
    testsupport::ScratchDir user;
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(user.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(user.path(".config")));  // no user-dirs file: the usual names
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", oldHome);
        oldConfig.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", oldConfig);
    });
    const auto folderOfNextDialog = [&] {
        ui.expectOpenCancelled();
        EXPECT_EQ(importer::CreateAuction(state), importer::Creation::Cancelled);
        EXPECT_TRUE(ui.dialogs.back().fileName.isEmpty());
        return QDir(ui.dialogs.back().initialDir).absolutePath();
    };
    EXPECT_EQ(folderOfNextDialog(), QDir(user.path()).absolutePath());  // no Downloads folder
    ASSERT_TRUE(QDir(user.path()).mkdir("Downloads"));
    EXPECT_EQ(folderOfNextDialog(), QDir(user.path("Downloads")).absolutePath());
    ui.expectOpen(copyRounds("auction-11", 2, 2)).expectMessage("Wrong File");  // the last import folder is kept
    EXPECT_EQ(importer::CreateAuction(state), importer::Creation::Failed);
    EXPECT_EQ(folderOfNextDialog(), QDir(downloads.path()).absolutePath());
    testsupport::ScratchDir gone;
    QFile last(state.LastImportFile);
    ASSERT_TRUE(last.open(QIODevice::WriteOnly));
    last.write(QFile::encodeName(gone.path("removed") + "/") + "\r\n");
    last.close();
    EXPECT_EQ(folderOfNextDialog(), QDir(user.path("Downloads")).absolutePath());
    EXPECT_TRUE(ui.messages.size() == 1u);  // only "Wrong File": the last-import file is read quietly here
}
