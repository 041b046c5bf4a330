// lotwise-cli summary: one round's figures as text, the newest round by default, every round as TSV and as JSON
// (checked against figures the test computes from the tables itself, the day change included), a round without
// statistics (null figures), and round numbers that are not whole numbers or not imported.
#include "cli/CliProcess.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/ValueText.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <map>

#include <gtest/gtest.h>

using namespace clitest;

namespace {

// Auction 11, rounds 1-12; never written by the tests.
class SummaryCommand : public testsupport::SharedAuction {
protected:
    static void SetUpTestSuite() { buildShared(QStringLiteral("auction-11"), 12); }

    testsupport::ScratchDir scratch;

    CliRun cli(const QStringList &arguments) { return runCli(arguments, scratch.path(QStringLiteral("home"))); }
    QString output(const QStringList &arguments) { return successfulOutput(arguments, scratch.path("home")); }
};

// One value per round of a query whose first column is the round.
std::map<qint64, QVariant> perRound(const db::Database &database, const QString &sql) {
    std::map<qint64, QVariant> values;
    for (auto rows = database.openRecordset(sql, db::RecordsetType::Snapshot); !rows->eof(); rows->moveNext())
        values[rows->value(0).toLongLong()] = rows->value(1);
    return values;
}

qint64 cents(const QVariant &amount) { return std::llround(amount.toDouble() * 100); }

// Net bids less those of the highest round of the latest earlier date, in cents, computed from the table.
std::map<qint64, qint64> dayChanges(const db::Database &database) {
    const auto dates = perRound(database, "SELECT [Round], [Round Date] FROM [Round Statistics]");
    const auto net = perRound(database, "SELECT [Round], [Net Bids] FROM [Round Statistics]");
    std::map<qint64, qint64> changes;
    for (const auto &[round, date] : dates) {
        QString latest;
        qint64 previous = 0;
        for (const auto &[earlier, earlierDate] : dates) {
            const QString d = earlierDate.toString();
            if (earlier < round && d != date.toString() && d >= latest) {
                previous = d == latest ? std::max(previous, earlier) : earlier;
                latest = d;
            }
        }
        changes[round] = cents(net.at(round)) - (previous ? cents(net.at(previous)) : 0);
    }
    return changes;
}

TEST_F(SummaryCommand, OneRoundAsTheSheetShowsItAndTheNewestByDefault) {
    const QStringList seven = lines(output({"summary", "--db", auction, "--round", "7"}));
    ASSERT_EQ(seven.size(), 20);
    EXPECT_EQ(seven[0], "Round Date\t" + db::displayText("2006-08-28 00:00:00", db::ColumnType::DateTime));
    EXPECT_EQ(seven[3], QStringLiteral("Net Bids\t$86,343,417"));
    EXPECT_EQ(seven[6], QStringLiteral("Change in Net Prev Day\t-$2,485,766"));
    EXPECT_EQ(seven[19], QStringLiteral("Bidders Raising Own High Bid\t0"));
    EXPECT_EQ(output({"summary", "--db", auction}), output({"summary", "--db", auction, "--round", "12"}));
}

TEST_F(SummaryCommand, EveryRoundAsJsonEqualsFiguresComputedFromTheTables) {
    const db::Database database = db::Database::open(auction);
    const auto changes = dayChanges(database);
    const auto net = perRound(database, "SELECT [Round], [Net Bids] FROM [Round Statistics]");
    const auto ratio = perRound(database, "SELECT [Round], [Eligibility Ratio] FROM [Round Statistics]");
    const auto required = perRound(
        database, "SELECT [Round], Sum([Additional Activity Required]) FROM [Bidders] GROUP BY [Round]");
    const auto multi = perRound(
        database, "SELECT [Round], Count(*) FROM [All Bids] WHERE [Increments of Bid] >= 2 GROUP BY [Round]");
    const auto raising =
        perRound(database, "SELECT [Round], Count(*) FROM [Bidders Raising Own High Bid] GROUP BY [Round]");

    const QJsonArray rounds =
        QJsonDocument::fromJson(output({"summary", "--db", auction, "--all", "--json"}).toUtf8()).array();
    ASSERT_EQ(rounds.size(), 12);
    for (qint64 round = 1; round <= 12; ++round) {
        const QJsonObject o = rounds[int(round - 1)].toObject();
        SCOPED_TRACE(round);
        EXPECT_EQ(o.size(), 21);
        EXPECT_EQ(o["Round"].toInteger(), round);
        EXPECT_EQ(std::llround(o["Net Bids"].toDouble() * 100), cents(net.at(round)));
        EXPECT_EQ(std::llround(o["Change in Net Prev Day"].toDouble() * 100), changes.at(round));
        EXPECT_EQ(o["Eligibility Ratio"].toDouble(), ratio.at(round).toDouble());
        EXPECT_EQ(o["Additional Activity Required"].toInteger(), required.at(round).toLongLong());
        EXPECT_EQ(o["Multi-Increment Bids"].toInteger(), multi.count(round) ? multi.at(round).toLongLong() : 0);
        EXPECT_EQ(o["Bidders Raising Own High Bid"].toInteger(),
                  raising.count(round) ? raising.at(round).toLongLong() : 0);
        EXPECT_TRUE(o["Round Date"].toString().startsWith("2006-08-")) << o["Round Date"].toString().toStdString();
    }
    // Amounts are written to the cent, without float noise.
    EXPECT_TRUE(output({"summary", "--db", auction, "--round", "6", "--json"}).contains("\"Net Bids\":88829183.35,"));
}

TEST_F(SummaryCommand, EveryRoundAsTextHasAHeaderAndOneLinePerRound) {
    const QStringList all = lines(output({"summary", "--db", auction, "--all"}));
    ASSERT_EQ(all.size(), 13);
    EXPECT_TRUE(all[0].startsWith("Round\tRound Date\tStage\tStage Transition %\tNet Bids\t"));
    EXPECT_EQ(all[0].split('\t').size(), 21);
    const QStringList four = all[4].split('\t');
    ASSERT_EQ(four.size(), 21);
    EXPECT_EQ(four[0], QStringLiteral("4"));
    EXPECT_EQ(four[7], QStringLiteral("$4,585,020"));
}

TEST_F(SummaryCommand, RoundWithoutStatisticsGivesNullFigures) {
    const QString path = scratch.path(QStringLiteral("copy.mdb"));
    ASSERT_TRUE(QFile::copy(auction, path));
    db::Database::open(path).execute("DELETE FROM [Round Statistics] WHERE [Round] = 9");
    const QJsonObject nine =
        QJsonDocument::fromJson(output({"summary", "--db", path, "--round", "9", "--json"}).toUtf8()).object();
    EXPECT_TRUE(nine["Net Bids"].isNull());
    EXPECT_TRUE(nine["Change in Net Prev Day"].isNull());
    EXPECT_TRUE(nine["Round Date"].isNull());
    EXPECT_EQ(nine["Multi-Increment Bids"].toInteger(), 5);
}

TEST_F(SummaryCommand, RoundsThatAreNotWholeNumbersOrNotImported) {
    EXPECT_TRUE(failedWithUsage(cli({"summary", "--db", auction, "--round", "1 OR 1=1"})));
    EXPECT_TRUE(failedWithUsage(cli({"summary", "--db", auction, "--round", "2.5"})));
    EXPECT_TRUE(failedWithUsage(cli({"summary", "--db", auction, "--round", "3", "--all"})));
    const CliRun missing = cli({"summary", "--db", auction, "--round", "99"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_TRUE(missing.err.contains("Round 99")) << missing.err.toStdString();
}

}  // namespace
