// User-defined tables are rebuilt from their stored statements after every import; open ones are reported.
#include "db/Recordset.h"
#include "import/ImportFixture.h"
#include "import/ImportRound.h"
#include "import/Rebuild.h"

using testsupport::lines;

namespace {

const QString kWizard = "SELECT [Bidder], [Net Bid Amount] INTO [Big Bids] FROM [All Bids] WHERE [Net Bid Amount] > "
                        "1000000 ORDER BY [Net Bid Amount] DESC;";

void addQuery(db::Database &db, const QString &name, const QString &select, const QString &into, const QString &from,
              const QString &where, const QString &order) {
    db.execute(QStringLiteral("INSERT INTO sysQueryBuilder (Txt5, Txt0, Txt1, Txt2, Txt3, Txt4) VALUES ('%1', '%2', "
                              "'%3', '%4', '%5', '%6')")
                   .arg(name, QString(select).replace("'", "''"), into, from, QString(where).replace("'", "''"), order));
}

}  // namespace

TEST_F(ImportFixture, StoredTablesFollowEveryImport) {
    createAuction11();
    state.AuctionDb.execute(kWizard);
    state.AuctionDb.execute("INSERT INTO [sysWizard] ([Table Name], [SQL String]) VALUES ('Big Bids', \"" + kWizard + "\")");
    addQuery(state.AuctionDb, "Reducers", "[Round], [Bidder Who Reduced]", "[Reducers]", "[Bidders Who Reduced]", "",
             "[Round] DESC");
    addQuery(state.AuctionDb, "Unnamed", "[Round]", "", "[All Bids]", "", "");  // no target: skipped
    const int bigBids = count("SELECT Count(*) FROM [Big Bids]");
    state.AuctionDb.execute("DROP TABLE [Big Bids]");  // dropped by the user: built again all the same

    copyRounds("auction-11", 2, 9);
    for (int round = 2; round <= 9; ++round) {
        ui.expectMessage("Round Imported Successfully");
        ASSERT_TRUE(importer::ImportRound(state, true));
    }
    EXPECT_GT(count("SELECT Count(*) FROM [Big Bids]"), bigBids);
    EXPECT_EQ(count("SELECT Count(*) FROM [Big Bids]"),
              count("SELECT Count(*) FROM [All Bids] WHERE [Net Bid Amount] > 1000000"));
    EXPECT_EQ(column("SELECT [Round] FROM [Reducers]"), QStringList({"9", "8"}));  // ORDER BY without WHERE
    EXPECT_EQ(column("SELECT [TableName] FROM [sysTables] WHERE [TableName] = 'Reducers'"), QStringList({"Reducers"}));
    EXPECT_EQ(ui.statuses.back(), "Completed Auto-Rebuilding Customized Table(s)!");
}

TEST_F(ImportFixture, OpenTablesAreReportedAndTheImportGoesOn) {
    createAuction11();
    state.AuctionDb.execute(kWizard);
    state.AuctionDb.execute("INSERT INTO [sysWizard] ([Table Name], [SQL String]) VALUES ('Big Bids', \"" + kWizard + "\")");
    for (const QString name : {"First", "Second", "Third"})
        addQuery(state.AuctionDb, name, "[Bidder], [Round]", "[" + name + "]", "[Bidders]", "[Round] > 0", "");
    importer::RebuildQueryTables(state);
    ui.statuses.clear();
    ui.messages.clear();

    db::TableHold wizardShown = state.AuctionDb.holdTable("Big Bids");
    db::TableHold secondShown = state.AuctionDb.holdTable("Second");
    copyRounds("auction-11", 2, 2);
    ui.expectMessage("").expectMessage("Round Imported Successfully").expectMessage("Successful Round Import!");
    ASSERT_TRUE(importer::ImportRound(state, true));
    EXPECT_TRUE(ui.messages[0].text.startsWith("Error:3211 ")) << ui.messages[0].text;
    EXPECT_EQ(lines(ui.messages.back().text),
              QStringList({" The Round Import Was Successful. However... ",
                           " A User Defined Table (UDT) named:  < < < [Second] > > > ",
                           " is currently open in a data window.", "",
                           " To be refreshed automatically in the Round Import: UDT must be closed.",
                           " You can still re-build the table by running the SQL manually."}));
    EXPECT_EQ(ui.messages.back().style.icon, app::Icon::Information);
    EXPECT_EQ(ui.statuses, QStringList({"Auto-Rebuilding Customized Table(s)...Please Standby!",
                                        "Can NOT Refresh User-Defined Table Due To Open! Please Rebuild It Manually"}));
    EXPECT_EQ(count("SELECT Count(*) FROM [First] WHERE [Round] = 2"), 8);   // rebuilt
    EXPECT_EQ(count("SELECT Count(*) FROM [Second] WHERE [Round] = 2"), 0);  // open: kept as it was
    EXPECT_EQ(count("SELECT Count(*) FROM [Third] WHERE [Round] = 2"), 0);   // after the failure: not rebuilt
    EXPECT_EQ(column("SELECT [TableName] FROM [sysTables] WHERE [TableName] In ('First', 'Second', 'Third') "
                     "ORDER BY [TableName]"),
              QStringList({"First", "Third"}));
    expectRoundsWhole({1, 2}, 2);
}

TEST_F(ImportFixture, FaultyStoredQueriesAreTheUsersErrors) {
    createAuction11();
    addQuery(state.AuctionDb, "Broken", "[Nonsense]", "[Broken]", "[All Bids]", "", "");
    ui.expectMessage("USER'S SQL ERROR");
    importer::RebuildQueryTables(state);
    EXPECT_EQ(ui.messages.back().text, "User's Error:3061 Too few parameters. Expected 1.");
    state.AuctionDb.execute("INSERT INTO [sysWizard] ([Table Name], [SQL String]) VALUES ('X', 'SELECT * INTO [X] FROM [Nowhere]')");
    ui.expectMessage("");
    importer::RebuildWizardTables(state);
    EXPECT_TRUE(ui.messages.back().text.startsWith("Error:3078 "));
}
