// lotwise-cli show: the rows a data window shows of a table, equal to the same statement run by sql: the newest
// round by default, a given round, the sort replacing the standard order, the filter joined to the round, tables
// shown whole, names and values holding apostrophes and double quotes, and its errors.
#include "cli/CliProcess.h"
#include "db/Database.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace clitest;

namespace {

// Auction 11, rounds 1-3, with two tables of its own; never written by the tests.
class ShowCommand : public testsupport::SharedAuction {
protected:
    static void SetUpTestSuite() {
        buildShared(QStringLiteral("auction-11"), 3);
        db::Database database = db::Database::open(auction);
        database.execute(
            R"(CREATE TABLE [O'Hare "Bids"] ([Bidder's "Name"] Text(40), [Amount] Currency, [Round] Long))");
        const char *rows[] = {R"(("O'Neil", 5, 3))", R"(("Say ""hi""", 7, 3))", R"(("O'Neil", 9, 2))",
                              R"(("Plain", 1, 3))"};
        for (const char *values : rows)
            database.execute(QStringLiteral(R"(INSERT INTO [O'Hare "Bids"] ([Bidder's "Name"], [Amount], [Round]) )"
                                            "VALUES ") +
                             values);
        database.execute("CREATE TABLE [No Rounds] ([Bidder] Text(60), [Amount] Currency)");
        for (const char *values : {"('Zed', 4)", "('Ann', 9)", "('Bea', 4)", "('Ann', 2)"})
            database.execute(QStringLiteral("INSERT INTO [No Rounds] ([Bidder], [Amount]) VALUES ") + values);
    }

    testsupport::ScratchDir scratch;

    CliRun cli(const QStringList &arguments) { return runCli(arguments, scratch.path(QStringLiteral("home"))); }
    // Standard output of a show or sql that must succeed.
    QString output(const QStringList &arguments) { return successfulOutput(arguments, scratch.path("home")); }
    QString show(const QString &table, const QStringList &options = {}) {
        return output(QStringList{"show", "--db", auction, table} + options);
    }
    QString sql(const QString &statement) { return output({"sql", "--db", auction, statement}); }
};

}  // namespace

TEST_F(ShowCommand, NewestRoundInTheStandardOrderByDefault) {
    const QString newest = show("All Bids");
    EXPECT_EQ(newest, sql("SELECT * FROM [All Bids] WHERE [Round] = 3 ORDER BY [Market], [Block], [Submarket]"));
    EXPECT_EQ(lines(newest).size(), 1 + 6);  // the header and round 3's six bids
    const QString first = show("All Bids", {"--round", "1"});
    EXPECT_EQ(first, sql("SELECT * FROM [All Bids] WHERE [Round] = 1 ORDER BY [Market], [Block], [Submarket]"));
    EXPECT_EQ(lines(first).size(), 1 + 17);
    EXPECT_EQ(lines(show("All Bids", {"--round", "7"})).size(), 1);  // a round not imported: the header alone
}

TEST_F(ShowCommand, SortAndFilterGiveTheRowsAndOrderOfTheSameSql) {
    const QString shown = show("All Bids", {"--round", "1", "--sort", "[Bidder] DESC, [Gross Bid Amount]", "--filter",
                                            "[Increments of Bid] >= 2 Or [Block] = \"A\""});
    EXPECT_EQ(shown, sql("SELECT * FROM [All Bids] WHERE [Round] = 1 And ([Increments of Bid] >= 2 Or [Block] = "
                         "\"A\") ORDER BY [Bidder] DESC, [Gross Bid Amount]"));
    EXPECT_GT(lines(shown).size(), 2);
    EXPECT_LT(lines(shown).size(), 1 + 17);  // the Or stays inside the filter: round 1 only, not every A block

    const QString held = show("Markets", {"--filter", "[High Bid] Is Null", "--sort", "[Market] DESC"});
    EXPECT_EQ(held, sql("SELECT * FROM [Markets] WHERE [Round] = 3 And ([High Bid] Is Null) ORDER BY [Market] DESC"));
    EXPECT_EQ(show("Markets", {"--filter", "[Round] > 5"}), lines(held).front() + '\n');
}

TEST_F(ShowCommand, ApostrophesAndDoubleQuotesInNamesAndValues) {
    const QString table = R"(O'Hare "Bids")";
    EXPECT_EQ(show(table), QStringLiteral("Bidder's \"Name\"\tAmount\tRound\nO'Neil\t5\t3\nSay \"hi\"\t7\t3\n"
                                          "Plain\t1\t3\n"));
    EXPECT_EQ(show(table, {"--filter", R"([Bidder's "Name"] = 'O''Neil' Or [Bidder's "Name"] = "Say ""hi""")",
                           "--sort", R"([Bidder's "Name"] DESC)", "--round", "3"}),
              QStringLiteral("Bidder's \"Name\"\tAmount\tRound\nSay \"hi\"\t7\t3\nO'Neil\t5\t3\n"));
    EXPECT_EQ(show("Bidders", {"--filter", R"([Bidder] Like "*'H*")", "--sort", "[Bidder]"}),
              sql(R"(SELECT * FROM [Bidders] WHERE [Round] = 3 And ([Bidder] Like "*'H*") ORDER BY [Bidder])"));
    const QStringList one = lines(show("Bidders", {"--filter", R"([Bidder] = "O'Hare Spectrum LLC")"}));
    ASSERT_EQ(one.size(), 2);
    EXPECT_TRUE(one[1].startsWith("11\t3\tO'Hare Spectrum LLC\t")) << one[1];
}

TEST_F(ShowCommand, AllRoundsTablesAndTablesWithoutRoundShowWhole) {
    const QString statistics = show("Round Statistics");
    EXPECT_EQ(statistics, sql("SELECT * FROM [Round Statistics] ORDER BY [Round]"));
    EXPECT_EQ(lines(statistics).size(), 1 + 3);
    EXPECT_EQ(show("Round Statistics", {"--sort", "[Round] DESC", "--filter", "[Round] <> 2"}),
              sql("SELECT * FROM [Round Statistics] WHERE ([Round] <> 2) ORDER BY [Round] DESC"));
    // A table without [Round]: every row, in the table's own order.
    EXPECT_EQ(show("No Rounds"), "Bidder\tAmount\nZed\t4\nAnn\t9\nBea\t4\nAnn\t2\n");
    EXPECT_EQ(show("No Rounds", {"--round", "2", "--filter", "[Amount] < 5", "--sort", "[Amount] DESC, [Bidder]"}),
              "Bidder\tAmount\nBea\t4\nZed\t4\nAnn\t2\n");
}

TEST_F(ShowCommand, ErrorsAreOneMessageAndStatusOne) {
    EXPECT_TRUE(failedWithOneMessage(cli({"show", "--db", auction, "No Such Table"}), 3078));
    EXPECT_TRUE(failedWithOneMessage(cli({"show", "--db", auction, "All Bids", "--filter", "[No Column] = 1"}), 3061));
    EXPECT_TRUE(failedWithOneMessage(cli({"show", "--db", auction, "All Bids", "--round", "x"}), 13));
    EXPECT_TRUE(failedWithUsage(cli({"show", "--db", auction})));
    EXPECT_TRUE(failedWithUsage(cli({"show", "--db", auction, "All Bids", "--sort"})));
}
