// lotwise-cli export: the rows a data window would show (the newest round without --round; --sort, --filter;
// a table without [Round] whole), in the format the output file's extension picks.
#include "cli/CliProcess.h"
#include "core/DataWindowRules.h"
#include "db/Database.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"
#include "tables/ExportTestSupport.h"

#include <gtest/gtest.h>

namespace {

class ExportCommand : public testsupport::SharedAuction {
protected:
    static void SetUpTestSuite() {
        buildShared(QStringLiteral("auction-11"), 3);
        db::Database database = db::Database::open(auction);
        database.execute(QStringLiteral("SELECT [Bidder], [Market] INTO [O'Brien \"Picks\"] FROM [All Bids] "
                                        "WHERE [Round] = 2"));
    }

    clitest::CliRun exportTo(const QString &table, const QString &name, const QStringList &more = {}) {
        return clitest::runCli(QStringList{QStringLiteral("export"), QStringLiteral("--db"), auction, table,
                                           scratch_.path(name)} +
                                   more,
                               scratch_.path());
    }
    // The tab-delimited text of a statement as the grid shows it.
    static QByteArray textOf(const QString &sql) {
        const db::Database database = db::Database::open(auction);
        QString text = exporttest::fieldNames(database, sql).join(u'\t') + QStringLiteral("\r\n");
        for (const QStringList &row : exporttest::shownRows(database, sql, QLocale()))
            text += row.join(u'\t') + QStringLiteral("\r\n");
        return text.toUtf8();
    }

    testsupport::ScratchDir scratch_;
};

TEST_F(ExportCommand, WritesTheNewestRoundInTheWindowsOrder) {
    const clitest::CliRun run = exportTo(QStringLiteral("All Bids"), QStringLiteral("bids.txt"));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(exporttest::fileBytes(scratch_.path(QStringLiteral("bids.txt"))),
              textOf(app::dataWindowStatement(QStringLiteral("All Bids"), QStringLiteral("3"), true)));
}

TEST_F(ExportCommand, TakesARoundASortAndAFilter) {
    const clitest::CliRun run =
        exportTo(QStringLiteral("All Bids"), QStringLiteral("bids.txt"),
                 {"--round", "2", "--sort", "[Bidder] DESC, [Market]", "--filter", "[Market] Like \"M*\""});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(exporttest::fileBytes(scratch_.path(QStringLiteral("bids.txt"))),
              textOf(QStringLiteral("SELECT * FROM [All Bids] WHERE [Round] = 2 And ([Market] Like \"M*\") "
                                    "ORDER BY [Bidder] DESC, [Market]")));
}

TEST_F(ExportCommand, ATableWithoutRoundsIsWrittenWholeAsCsv) {
    const QString table = QStringLiteral("O'Brien \"Picks\"");
    const clitest::CliRun run = exportTo(table, QStringLiteral("picks.CSV"));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const db::Database database = db::Database::open(auction);
    std::vector<QStringList> expected{{QStringLiteral("Bidder"), QStringLiteral("Market")}};
    for (const QStringList &row : exporttest::plainRows(database, QStringLiteral("SELECT * FROM [O'Brien \"Picks\"]")))
        expected.push_back(row);
    EXPECT_GT(expected.size(), 1u);
    EXPECT_EQ(exporttest::readCsv(exporttest::fileBytes(scratch_.path(QStringLiteral("picks.CSV")))), expected);
}

TEST_F(ExportCommand, FailuresLeaveNoFileAndMalformedCommandsShowUsage) {
    EXPECT_TRUE(clitest::failedWithOneMessage(exportTo(QStringLiteral("No Such Table"), QStringLiteral("x.txt")), 3078));
    EXPECT_TRUE(clitest::failedWithUsage(clitest::runCli({"export", "--db", auction, "All Bids"}, scratch_.path())));
    EXPECT_EQ(exporttest::filesIn(scratch_.path()), QStringList());
}

}  // namespace
