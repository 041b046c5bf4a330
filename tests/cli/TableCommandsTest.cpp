// lotwise-cli drop and query: the refusals of the desktop program with exit status 1, the question answered by
// --yes / --no, the stored queries listed and run.
#include "cli/CliProcess.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace clitest;

namespace {

class TableCommands : public ::testing::Test {
protected:
    void SetUp() override { auction = testsupport::buildAuction(scratch, "auction-11", 2); }
    CliRun cli(const QStringList &arguments) { return runCli(arguments, scratch.path("home")); }
    QStringList rows(const QString &statement) {
        const CliRun run = cli({"sql", "--db", auction, statement});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return lines(run.out).mid(1);
    }
    void store(const QString &name, const QString &select, const QString &into, const QString &from) {
        const CliRun run = cli({"sql", "--db", auction,
                                "INSERT INTO [sysQueryBuilder] ([Txt5], [Txt0], [Txt1], [Txt2], [Txt3], [Txt4]) "
                                "VALUES ('" + name + "', '" + select + "', '" + into + "', '" + from +
                                    "', '', '[Round] DESC')"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }

    testsupport::ScratchDir scratch;
    QString auction;
};

}  // namespace

TEST_F(TableCommands, DropRefusesTheAuctionsTablesAndAsksFirst) {
    const CliRun refused = cli({"--yes", "drop", "--db", auction, "All Bids"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "Access Denied: Access to All Bids denied.\n");

    ASSERT_EQ(rows("SELECT [Bidder] INTO [Mine] FROM [Bidders]"), QStringList());
    const CliRun declined = cli({"--no", "drop", "--db", auction, "Mine"});
    EXPECT_EQ(declined.exitCode, 1);
    EXPECT_TRUE(declined.err.startsWith("Caution: This action will permanently delete\n")) << declined.err;
    EXPECT_EQ(rows("SELECT Count(*) FROM [Mine]"), QStringList({"16"}));

    const CliRun dropped = cli({"--yes", "drop", "--db", auction, "Mine"});
    EXPECT_EQ(dropped.exitCode, 0) << dropped.err;
    EXPECT_TRUE(failedWithOneMessage(cli({"sql", "--db", auction, "SELECT * FROM [Mine]"}), 3078));
}

TEST_F(TableCommands, QueriesAreListedAndRunAsTheQueryBuilderRunsThem) {
    store("Reducers", "[Round], [Bidder]", "[Bidder List]", "[Bidders]");
    store("It''s bad", "[Round]", "[All Bids]", "[Bidders]");
    const CliRun listed = cli({"query", "--db", auction, "list"});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(lines(listed.out), QStringList({"Name\tSelect\tInto\tFrom\tWhere\tOrder By",
                                              "Reducers\t[Round], [Bidder]\t[Bidder List]\t[Bidders]\t\t[Round] DESC",
                                              "It's bad\t[Round]\t[All Bids]\t[Bidders]\t\t[Round] DESC"}));

    const CliRun built = cli({"query", "--db", auction, "run", "reducers"});
    EXPECT_EQ(built.exitCode, 0) << built.err;
    EXPECT_EQ(built.err, "Lotwise:      Finished building the table 'Bidder List'\nTo view the table, select it from "
                         "the\n         Table pull-down menu.\n");
    EXPECT_EQ(rows("SELECT Count(*) FROM [Bidder List]"), QStringList({"16"}));

    const CliRun refused = cli({"query", "--db", auction, "run", "It's bad"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.startsWith("Error: The table was not built")) << refused.err;
    EXPECT_EQ(rows("SELECT Count(*) FROM [All Bids]"), QStringList({"29"}));

    const CliRun missing = cli({"query", "--db", auction, "run", "Nobody"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "Error: No query is named 'Nobody'.\n");
}
