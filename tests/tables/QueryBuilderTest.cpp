// The Query Builder's core: the stored rows, the statement a row stands for, and Run's build of its table, which
// never touches a table the row does not own and never leaves a half-built state.
#include "db/Database.h"
#include "db/Error.h"
#include "import/Rebuild.h"
#include "tables/QueryBuilder.h"
#include "tables/UserTableFixture.h"

using testsupport::lines;
using tables::QueryRow;

namespace {

QueryRow bidders(const QString &name, const QString &into, const QString &where = {}) {
    return {name, {"[Round], [Bidder]", into, "[Bidders]", where, "[Round] DESC"}};
}

class QueryBuilderTest : public UserTableFixture {
protected:
    // Runs a row as the window does: against what is stored under its name, then stores it once built.
    bool run(const QueryRow &row, const tables::ReleaseTable &release = {}) {
        bool stored = false;
        for (const QueryRow &other : tables::loadQueries(state.AuctionDb))
            stored = stored || other.name == row.name;
        if (!tables::runQuery(state, stored ? row.name : QString(), row, release))
            return false;
        EXPECT_EQ(tables::saveQuery(state.AuctionDb, stored ? row.name : QString(), row), "");
        return true;
    }
    int allBids() { return count("SELECT Count(*) FROM [All Bids]"); }
};

}  // namespace

TEST(QueryStatement, ListedNamesAndSystemNames) {
    EXPECT_EQ(importer::listedTableName("  [My Table] "), "My Table");
    EXPECT_TRUE(importer::isSystemTableName("SYSTABLES"));
    EXPECT_TRUE(importer::isSystemTableName("MSysObjects"));
    EXPECT_FALSE(importer::isSystemTableName("Sysop Notes"));  // a round file's table, like any supplied one
}

TEST_F(QueryBuilderTest, RowsAreSavedRenamedAndRefusedWithoutLoss) {
    const QueryRow first = bidders("First", "[One]"), second = bidders("Second", "[Two]");
    EXPECT_EQ(tables::saveQuery(state.AuctionDb, {}, first), "");
    EXPECT_EQ(tables::saveQuery(state.AuctionDb, {}, second), "");
    EXPECT_EQ(tables::saveQuery(state.AuctionDb, {}, bidders("   ", "[X]")),
              "A query needs a name: type one in Query Name.");
    EXPECT_EQ(tables::saveQuery(state.AuctionDb, "Second", bidders("FIRST", "[X]")),  // a rename onto another row
              "A query named 'FIRST' already exists: choose another name.");
    EXPECT_EQ(tables::loadQueries(state.AuctionDb), QList<QueryRow>({first, second}));
    EXPECT_EQ(tables::saveQuery(state.AuctionDb, "first", bidders("First", "[Uno]")), "");  // its own name, any case
    EXPECT_EQ(column("SELECT [Txt1] FROM [sysQueryBuilder] ORDER BY [Txt5]"), QStringList({"[Uno]", "[Two]"}));
}

TEST_F(QueryBuilderTest, RunBuildsReplacesAndListsOnce) {
    QueryRow row = bidders("Recent", " [My Table] ", "[Round] > 1");
    row.clauses.order = "[Round];";
    EXPECT_EQ(importer::queryStatement(row.clauses),
              "SELECT [Round], [Bidder] INTO  [My Table]  FROM [Bidders] WHERE [Round] > 1 ORDER BY [Round];");
    ui.expectMessage("");
    ASSERT_TRUE(run(row));
    EXPECT_EQ(lines(ui.messages.back().text),
              QStringList({"     Finished building the table 'My Table'", "To view the table, select it from the",
                           "         Table pull-down menu."}));
    EXPECT_EQ(column("SELECT DISTINCT [Round] FROM [My Table] ORDER BY [Round]"), QStringList({"2", "3"}));

    ui.expectMessage("");
    ASSERT_TRUE(run(bidders("Recent", "[My Table]", "[Round] = 3")));
    EXPECT_EQ(column("SELECT DISTINCT [Round] FROM [My Table]"), QStringList({"3"}));
    EXPECT_EQ(listed("My Table"), 1);
    EXPECT_EQ(listed("[My Table]"), 0);

    ui.expectMessage("Error");
    EXPECT_FALSE(run({"Empty", {"[Round]", "  ", "[Bidders]", "", ""}}));
    EXPECT_EQ(ui.messages.back().text, "SELECT, INTO, and FROM are required fields.");
    EXPECT_EQ(ui.messages.back().style.icon, app::Icon::Exclamation);
}

TEST_F(QueryBuilderTest, TargetsTheRowDoesNotOwnAreRefusedAndNothingChanges) {
    state.AuctionDb.execute("SELECT [Bidder] INTO [Wizard Made] FROM [Bidders]");
    state.AuctionDb.execute("INSERT INTO [sysWizard] ([Table Name], [SQL String]) VALUES ('Wizard Made', \"x\")");
    ui.expectMessage("");
    ASSERT_TRUE(run(bidders("Owner", "[Owned]")));
    state.AuctionDb.execute("SELECT [Bidder] INTO [Loose] FROM [Bidders]");  // made by hand, listed nowhere
    const int bids = allBids(), tablesListed = count("SELECT Count(*) FROM [sysTables]");
    const int wizardRows = count("SELECT Count(*) FROM [Wizard Made]");

    const struct {
        QString into;
        QString reason;
    } cases[] = {
        {"[All Bids]", "'All Bids' is a table of the round results files."},
        {"sysTables", "'sysTables' is a system table of the auction."},
        {"[Wizard Made]", "'Wizard Made' is a table built by the Table Wizard."},
        {"[Owned]", "'Owned' is the table of the query 'Owner'."},
        {"[Loose]", "A table named 'Loose' already exists and was not built by this query."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.into.toStdString());
        ui.expectMessage("Error");
        EXPECT_FALSE(run(bidders("Intruder", c.into)));
        EXPECT_EQ(lines(ui.messages.back().text),
                  QStringList({"The table was not built, and nothing was changed:", c.reason}));
    }
    EXPECT_EQ(allBids(), bids);
    EXPECT_EQ(count("SELECT Count(*) FROM [sysTables]"), tablesListed);
    EXPECT_EQ(count("SELECT Count(*) FROM [Wizard Made]"), wizardRows);
    EXPECT_EQ(column("SELECT [Txt5] FROM [sysQueryBuilder]"), QStringList({"Owner"}));

    // The row that built a table may build it again.
    ui.expectMessage("");
    EXPECT_TRUE(run(bidders("Owner", "[owned]", "[Round] = 1")));
    EXPECT_EQ(count("SELECT Count(*) FROM [Owned]"), 8);
}

TEST_F(QueryBuilderTest, AFailingRunKeepsTheOldTableAndItsRow) {
    ui.expectMessage("");
    ASSERT_TRUE(run(bidders("Kept", "[Kept]")));
    const int rows = count("SELECT Count(*) FROM [Kept]");
    ui.expectMessage("");
    EXPECT_FALSE(run(bidders("Kept", "[Kept]", "[No Such Column] > 1")));
    EXPECT_TRUE(ui.messages.back().text.startsWith("Error 3061: ")) << ui.messages.back().text;
    EXPECT_EQ(count("SELECT Count(*) FROM [Kept]"), rows);
    EXPECT_EQ(listed("Kept"), 1);
}

TEST_F(QueryBuilderTest, AHeldTargetIsReleasedOrReportedAfterBoundedTries) {
    ui.expectMessage("");
    ASSERT_TRUE(run(bidders("Shown", "[Shown]")));
    db::TableHold shown = state.AuctionDb.holdTable("Shown");
    int releases = 0;
    ui.expectMessage("");
    EXPECT_TRUE(run(bidders("Shown", "[Shown]", "[Round] = 2"), [&](const QString &table) {
        EXPECT_EQ(table, "Shown");
        ++releases;
        shown.reset();
    }));
    EXPECT_EQ(releases, 1);
    EXPECT_EQ(column("SELECT DISTINCT [Round] FROM [Shown]"), QStringList({"2"}));

    shown = state.AuctionDb.holdTable("Shown");  // a window that never lets go
    releases = 0;
    ui.expectMessage("");
    EXPECT_FALSE(run(bidders("Shown", "[Shown]", "[Round] = 3"), [&](const QString &) { ++releases; }));
    EXPECT_EQ(releases, tables::kHeldTableTries);
    EXPECT_TRUE(ui.messages.back().text.startsWith("Error 3211: ")) << ui.messages.back().text;
    EXPECT_EQ(column("SELECT DISTINCT [Round] FROM [Shown]"), QStringList({"2"}));
    EXPECT_EQ(listed("Shown"), 1);
}

TEST_F(QueryBuilderTest, QuotesInNamesAndValuesWorkEverywhere) {
    const QueryRow row = {"Bob's \"best\" query",
                          {"[Bidder], [Round]", "[O'Brien \"Q\" Table]", "[Bidders]",
                           "[Bidder] <> 'D''Amico \"x\"'", ""}};
    ui.expectMessage("");
    ASSERT_TRUE(run(row));
    EXPECT_EQ(tables::loadQueries(state.AuctionDb), QList<QueryRow>({row}));
    EXPECT_EQ(listed("O'Brien \"Q\" Table"), 1);
    const int rows = count("SELECT Count(*) FROM [O'Brien \"Q\" Table]");
    EXPECT_EQ(rows, count("SELECT Count(*) FROM [Bidders]"));
    importNextRound();
    EXPECT_EQ(count("SELECT Count(*) FROM [O'Brien \"Q\" Table]"), count("SELECT Count(*) FROM [Bidders]"));
    EXPECT_EQ(listed("O'Brien \"Q\" Table"), 1);
}

TEST_F(QueryBuilderTest, ATableBuiltByRunSurvivesTwoMoreImports) {
    ui.expectMessage("");
    ASSERT_TRUE(run(bidders("Survivor", "[Survivor]")));
    importNextRound();
    importNextRound();
    EXPECT_EQ(column("SELECT DISTINCT [Round] FROM [Survivor] ORDER BY [Round] DESC"),
              QStringList({"5", "4", "3", "2", "1"}));
    EXPECT_EQ(listed("Survivor"), 1);
    EXPECT_EQ(ui.statuses.back(), "Completed Auto-Rebuilding Customized Table(s)!");
}

TEST_F(QueryBuilderTest, ARebuildNeverRunsARowAimedAtAnAuctionTable) {
    // Stored before Run refused such targets, or written by hand: the rebuild must not drop the table.
    state.AuctionDb.execute("INSERT INTO [sysQueryBuilder] ([Txt5], [Txt0], [Txt1], [Txt2]) VALUES "
                            "('Bad', '[Round]', '[Bidders]', '[All Bids]')");
    state.AuctionDb.execute("INSERT INTO [sysQueryBuilder] ([Txt5], [Txt0], [Txt1], [Txt2]) VALUES "
                            "('Good', '[Round]', '[Good]', '[All Bids]')");
    const int bidderRows = count("SELECT Count(*) FROM [Bidders]");
    importNextRound();
    EXPECT_EQ(count("SELECT Count(*) FROM [Bidders]"), bidderRows + 8);
    EXPECT_EQ(listed("Bidders"), 1);
    EXPECT_EQ(count("SELECT Count(*) FROM [Good]"), count("SELECT Count(*) FROM [All Bids]"));
}
