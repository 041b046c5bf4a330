// Dropping a user-defined table: the auction's own tables are refused (also when the check cannot be made), the
// question comes first, and the table with its sysTables and sysWizard rows goes whole or not at all.
#include "db/Database.h"
#include "db/JetTranslator.h"
#include "tables/DropUserTable.h"
#include "tables/UserTableFixture.h"

using testsupport::lines;
using tables::DropOutcome;

namespace {

class DropTableTest : public UserTableFixture {
protected:
    // A Table Wizard table: the table, its sysTables row and its sysWizard row.
    void wizardTable(const QString &name) {
        const QString bracketed = "[" + name + "]";
        state.AuctionDb.execute("SELECT [Bidder] INTO " + bracketed + " FROM [Bidders]");
        state.AuctionDb.execute("INSERT INTO [sysTables] (TableName) VALUES (" + db::jet::singleQuoted(name) + ")");
        state.AuctionDb.execute("INSERT INTO [sysWizard] ([Table Name], [SQL String]) VALUES (" +
                                db::jet::singleQuoted(name) + ", \"x\")");
    }
    int wizardRows(const QString &name) {
        return count("SELECT Count(*) FROM [sysWizard] WHERE [Table Name] = " + db::jet::singleQuoted(name));
    }
};

}  // namespace

TEST_F(DropTableTest, TheAuctionsOwnTablesAreRefused) {
    const int bids = count("SELECT Count(*) FROM [All Bids]");
    for (const QString table : {"all bids", "sysTables", "sysQueryBuilder"}) {
        SCOPED_TRACE(table.toStdString());
        ui.expectMessage("Access Denied");
        EXPECT_EQ(tables::DropUserTable(state, table, {}), DropOutcome::Refused);
        EXPECT_EQ(ui.messages.back().text, "Access to " + table + " denied.");
        EXPECT_EQ(ui.messages.back().style.icon, app::Icon::Exclamation);
    }
    EXPECT_EQ(count("SELECT Count(*) FROM [All Bids]"), bids);
    EXPECT_EQ(count("SELECT Count(*) FROM [sysSuppliedTables]"), 11);
}

TEST_F(DropTableTest, AFailedCheckNeverAllowsTheDrop) {
    state.AuctionDb.execute("SELECT * INTO [Saved List] FROM [sysSuppliedTables]");
    state.AuctionDb.execute("DROP TABLE [sysSuppliedTables]");
    ui.expectMessage("");
    EXPECT_EQ(tables::DropUserTable(state, "Bidders", {}), DropOutcome::Failed);
    EXPECT_TRUE(ui.messages.back().text.startsWith("Error 3078: ")) << ui.messages.back().text;
    EXPECT_GT(count("SELECT Count(*) FROM [Bidders]"), 0);
}

TEST_F(DropTableTest, AUserTableGoesWithItsRowsAfterYes) {
    const QString name = "O'Neil \"Wizard\" Bids";
    wizardTable(name);
    ui.expectMessage("Caution", app::Answer::No);
    EXPECT_EQ(tables::DropUserTable(state, name, [] { ADD_FAILURE() << "released after No"; }), DropOutcome::Declined);
    EXPECT_EQ(lines(ui.messages.back().text),
              QStringList({"This action will permanently delete", "the current table, continue anyway?"}));
    EXPECT_EQ(ui.messages.back().style.buttons, app::Buttons::YesNo);
    EXPECT_TRUE(state.AuctionDb.tableExists(name));

    db::TableHold shown = state.AuctionDb.holdTable(name);  // shown by another window: reported, kept
    ui.expectMessage("Caution", app::Answer::Yes).expectMessage("");
    EXPECT_EQ(tables::DropUserTable(state, name, {}), DropOutcome::Failed);
    EXPECT_TRUE(ui.messages.back().text.startsWith("Error 3211: ")) << ui.messages.back().text;
    EXPECT_EQ(listed(name), 1);
    EXPECT_EQ(wizardRows(name), 1);

    int released = 0;
    ui.expectMessage("Caution", app::Answer::Yes);
    EXPECT_EQ(tables::DropUserTable(state, name, [&] {
                  ++released;
                  shown.reset();
              }),
              DropOutcome::Dropped);
    EXPECT_EQ(released, 1);
    EXPECT_FALSE(state.AuctionDb.tableExists(name));
    EXPECT_EQ(listed(name), 0);
    EXPECT_EQ(wizardRows(name), 0);
}
