// The demo: built once from the demo round files, opened without the opening question, with a round left for
// Auto Import.
#include "app/Demo.h"
#include "app/MainWindowFixture.h"

#include "db/Recordset.h"
#include "grid/frmFlexGrid.h"

#include <QDir>
#include <QFileInfo>

TEST_F(MainWindowFixture, DemoStartsOnItsAuctionAndAutoImportBringsTheNextRound) {
    ASSERT_FALSE(app::demoRoundsFolder().isEmpty());
    ASSERT_TRUE(app::openDemo(*window, state, ui));
    EXPECT_EQ(state.AuctionDbPath, QDir(home.path()).filePath("Auction11.mdb"));
    ASSERT_NE(activeDataWindow(), nullptr);
    EXPECT_EQ(activeDataWindow()->windowTitle(), "All Bids - Round 11");

    // Yes deletes the demo's own copy of the round file, never the installed one.
    const QString installed = QDir(app::demoRoundsFolder()).filePath("11_012.zip");
    ASSERT_TRUE(QFileInfo::exists(installed));
    ui.expectMessage("Round Imported Successfully", app::Answer::Yes);
    trigger("mnuFileAutoImport");
    EXPECT_EQ(ui.messages.back().text.section(QChar(13), 0, 0), "  Round 12 has been successfully imported.");
    EXPECT_TRUE(QFileInfo::exists(installed));
    EXPECT_FALSE(QFileInfo::exists(QDir(home.path()).filePath("demo-rounds/11_012.zip")));

    // Opened again, the demo auction is the same database, not built anew.
    state.AuctionDb.close();
    ASSERT_TRUE(app::openDemo(*window, state, ui));
    EXPECT_EQ(state.AuctionDb.openRecordset("SELECT Count(*) FROM [sysRounds]")->value(0).toInt(), 12);
}
