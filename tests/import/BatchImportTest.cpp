// Batch import: a whole auction from a folder of round files, stopping at the first missing round.
#include "db/Recordset.h"
#include "import/CreateAuction.h"
#include "import/ImportFixture.h"
#include "import/ImportRound.h"

#include <QFile>

TEST_F(ImportFixture, BatchImportsEveryRoundOfTheFolder) {
    const QString first = copyRounds("auction-11", 1, 12);
    ui.expectOpen(first).expectMessage("Finished Batch Import");
    ASSERT_TRUE(importer::BatchImport(state));
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
    ASSERT_TRUE(importer::BatchImport(state));
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
    EXPECT_FALSE(importer::BatchImport(state));
    EXPECT_FALSE(QFileInfo::exists(home.path("Auction11.mdb")));

    ui.expectOpen(copyRounds("auction-07-edge", 1, 1)).expectMessage("Finished Batch Import");
    ASSERT_TRUE(importer::BatchImport(state));
    EXPECT_EQ(ui.messages.back().text, "Finished importing rounds 1 to 1.");

    copyRounds("auction-11", 1, 12);
    ui.cancelProgressAt(5);
    ui.expectOpen(roundPath("auction-11", 1)).expectMessage("Finished Batch Import");
    ASSERT_TRUE(importer::BatchImport(state));
    EXPECT_EQ(ui.messages.back().text, "Finished importing rounds 1 to 5.");
    expectRoundsWhole({1, 2, 3, 4, 5}, 5);
    EXPECT_EQ(filesInHome(), QStringList({"Auction11.mdb", "Auction7.mdb", "lastimp.inf"}));  // no prepared round left
}
