// The data window: the statement it shows for each table and round, its caption, its lists.
#include "app/MainWindowFixture.h"

#include "grid/DropDownList.h"
#include "grid/frmFlexGrid.h"
#include "support/AuctionFixture.h"

class DataWindowTest : public MainWindowFixture {
protected:
    void SetUp() override {
        path = buildAuction(12);
        openThroughFileOpen(path);
        data = activeDataWindow();
        ASSERT_NE(data, nullptr);
    }
    void chooseTable(const QString &table) { data->selectTable(data->ddlTableName->findText(table)); }
    void chooseRound(const QString &round) { data->selectRound(data->ddlRoundNum->findText(round)); }
    QString path;
    grid::frmFlexGrid *data = nullptr;
};

TEST_F(DataWindowTest, EachTableShowsInItsStandardOrder) {
    chooseRound("7");
    chooseTable("All Bids");
    EXPECT_EQ(data->shownStatement(), "SELECT * FROM [All Bids] WHERE [Round] = 7 Order By [Market], [Block], [Submarket]");
    EXPECT_EQ(data->windowTitle(), "All Bids - Round 7");
    EXPECT_EQ(ui.statuses.back(), "All Bids - Round 7");
    chooseTable("Bidders Who Reduced");
    EXPECT_EQ(data->shownStatement(), "SELECT * FROM [Bidders Who Reduced] WHERE [Round] = 7 Order By [Bidder Who Reduced]");
    chooseTable("Miscellaneous Statistics");  // an all-rounds table without a standard order
    EXPECT_EQ(data->shownStatement(), "SELECT * FROM [Miscellaneous Statistics]");
    EXPECT_FALSE(data->ddlRoundNum->isEnabled());
    chooseTable("Waiver Statistics");
    EXPECT_EQ(data->shownStatement(), "SELECT * FROM [Waiver Statistics] Order By [Round]");
    EXPECT_EQ(data->windowTitle(), "Waiver Statistics");
    chooseTable("Markets");
    EXPECT_TRUE(data->ddlRoundNum->isEnabled());
    chooseRound("3");
    EXPECT_EQ(data->shownStatement(), "SELECT * FROM [Markets] WHERE [Round] = 3 Order By [License Name]");
    EXPECT_EQ(data->windowTitle(), "Markets - Round 3");
}

TEST_F(DataWindowTest, UserTablesWithAndWithoutRounds) {
    state.AuctionDb.execute("SELECT [Bidder], [Net Bid Amount] INTO [No Rounds] FROM [All Bids]");
    state.AuctionDb.execute("SELECT [Round], [Bidder] INTO [With Rounds] FROM [All Bids]");
    state.AuctionDb.execute("INSERT INTO [sysTables] (TableName) VALUES ('No Rounds')");
    state.AuctionDb.execute("INSERT INTO [sysTables] (TableName) VALUES ('With Rounds')");
    data->ddlTableName->showPopup();  // dropping down refills the list from sysTables
    data->ddlTableName->hidePopup();
    ASSERT_EQ(data->ddlTableName->count(), 13);
    chooseTable("No Rounds");
    EXPECT_EQ(data->shownStatement(), "SELECT * FROM [No Rounds]");
    EXPECT_FALSE(data->ddlRoundNum->isEnabled());
    EXPECT_EQ(data->windowTitle(), "No Rounds");
    chooseTable("With Rounds");
    EXPECT_EQ(data->shownStatement(), "SELECT * FROM [With Rounds] WHERE [Round] = 12");
    EXPECT_EQ(data->windowTitle(), "With Rounds - Round 12");
}

TEST_F(DataWindowTest, ListsRefillWhenTheirNamesChangeAndKeepTheirEntry) {
    // One table dropped and one made: the count is the same, the names are not. The list is refilled and,
    // left without a choice, goes back to the table it showed, which has moved up a place.
    chooseTable("Bidders");
    state.AuctionDb.execute("DELETE [TableName] FROM [sysTables] WHERE [TableName] = 'All Bids'");
    state.AuctionDb.execute("INSERT INTO [sysTables] (TableName) VALUES ('Other')");
    data->ddlTableName->showPopup();
    data->ddlTableName->hidePopup();
    EXPECT_EQ(data->ddlTableName->findText("All Bids"), -1);
    EXPECT_NE(data->ddlTableName->findText("Other"), -1);
    emit data->ddlTableName->focusLost();
    EXPECT_EQ(data->ddlTableName->currentText(), "Bidders");
    EXPECT_EQ(data->shownStatement(), "SELECT * FROM [Bidders] WHERE [Round] = 12 Order By [Bidder]");
    // The same names: the list is left alone with its entry.
    data->ddlTableName->showPopup();
    data->ddlTableName->hidePopup();
    EXPECT_EQ(data->ddlTableName->currentText(), "Bidders");
    chooseTable("Markets");

    // A new round: the list is refilled with no entry selected; leaving it puts the old entry back and reloads.
    state.AuctionDb.execute("INSERT INTO sysRounds (Round) VALUES (13)");
    data->ddlRoundNum->showPopup();
    data->ddlRoundNum->hidePopup();
    EXPECT_EQ(data->ddlRoundNum->count(), 13);
    EXPECT_EQ(data->ddlRoundNum->currentIndex(), -1);
    emit data->ddlRoundNum->focusLost();
    EXPECT_EQ(data->ddlRoundNum->currentText(), "13");  // the saved position now holds the newest round
    EXPECT_EQ(data->shownStatement(), "SELECT * FROM [Markets] WHERE [Round] = 13 Order By [License Name]");
}
