// lotwise-cli pivot: every cell of the whole auction's pivot by rounds equals the sum of its bids (computed here
// from the tables); the range rules and their messages (From 13, To 15 answered Yes by default or No, From 8 To 5
// with 3021); a bidder holding an apostrophe; malformed command lines.
#include "analysis/AnalysisTestSupport.h"
#include "analysis/WorkbookReadBack.h"
#include "analysis/RoundRange.h"
#include "cli/CliProcess.h"
#include "db/Recordset.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"
#include "tables/ExportTestSupport.h"

#include <QFile>

#include <map>

#include <gtest/gtest.h>

using namespace clitest;

namespace {

// A stored value as the CSV writes an item: numbers plainly, texts as they are, empty for null.
QString csvItem(const QVariant &value) {
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    return value.toString();
}

// Ten-thousandths of a plain decimal such as "-1234.5".
qint64 decimalUnits(const QString &text) {
    const bool negative = text.startsWith(u'-');
    const QStringList parts = text.mid(negative ? 1 : 0).split(u'.');
    qint64 units = parts[0].toLongLong() * 10000;
    if (parts.size() > 1)
        units += parts[1].leftJustified(4, u'0').toLongLong();
    return negative ? -units : units;
}

class PivotCommand : public testsupport::SharedAuction {
protected:
    static void SetUpTestSuite() { buildShared(QStringLiteral("auction-11"), 12); }
    testsupport::ScratchDir scratch;

    CliRun cli(const QStringList &arguments) { return runCli(arguments, scratch.path("home")); }
    QStringList pivotArgs(const QString &db, const QString &by, const QString &out) {
        return {"pivot", "--db", db, "--by", by, "--out", out};
    }
    static QString fileText(const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(PivotCommand, EveryCellOfTheWholeAuctionByRounds) {
    const QString out = scratch.path("rounds.csv");
    const CliRun run = cli(pivotArgs(auction, "rounds", out) << "--from"
                                                             << "1"
                                                             << "--to"
                                                             << "12"
                                                             << "--gross");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.err.isEmpty()) << run.err;
    const auto rows = exporttest::readCsv(fileText(out).toUtf8());
    ASSERT_EQ(rows.size(), 6u + 12u);
    EXPECT_EQ(rows[0][0], "Market");
    EXPECT_EQ(rows[5][0], "Increments of Bid");

    std::map<QString, qint64> expected;
    const db::Database database = db::Database::open(auction);
    const auto bids = database.openRecordset("SELECT a.[Round], a.[Market], a.[Block], a.[Submarket], m.[Market "
                                             "Name], a.[Bidder], a.[Increments of Bid], "
                                             "a.[Gross Bid Amount] FROM [All Bids] a, [Markets] m WHERE a.[License "
                                             "Name] = m.[License Name] AND "
                                             "a.[Auction ID] = m.[Auction ID] AND a.[Round] = m.[Round]",
                                             db::RecordsetType::Snapshot);
    for (; !bids->eof(); bids->moveNext()) {
        QStringList key;
        for (int c = 0; c < 7; ++c)
            key << csvItem(bids->value(c));
        expected[key.join(u'|')] += analysistest::units(bids->value(7));
    }
    std::map<QString, qint64> actual;
    for (std::size_t r = 6; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), rows[0].size());
        EXPECT_EQ(rows[r][0], QString::number(r - 5));
        for (qsizetype c = 1; c < rows[r].size(); ++c) {
            if (rows[r][c].isEmpty())
                continue;
            QStringList key{rows[r][0]};
            for (std::size_t f = 0; f < 6; ++f)
                key << rows[f][c];
            actual[key.join(u'|')] = decimalUnits(rows[r][c]);
        }
    }
    EXPECT_EQ(actual, expected);
}

TEST_F(PivotCommand, RangeRulesAndMessages) {
    const QString out = scratch.path("p.csv");
    CliRun run = cli(pivotArgs(auction, "rounds", out) << "--from"
                                                       << "13");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              "Error: " + app::shownLines(analysis::startTooHighMessage(analysis::AnalysisKind::Rounds)) + "\n");
    EXPECT_FALSE(QFile::exists(out));

    run = cli(pivotArgs(auction, "markets", out) << "--from"
                                                 << "10"
                                                 << "--to"
                                                 << "15"
                                                 << "--no");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith("Error: " + app::shownLines(analysis::endTooHighQuestion()) + "\n")) << run.err;
    EXPECT_FALSE(QFile::exists(out));

    run = cli(pivotArgs(auction, "markets", out) << "--from"
                                                 << "10"
                                                 << "--to"
                                                 << "15");  // Yes by default
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const auto rows = exporttest::readCsv(fileText(out).toUtf8());
    ASSERT_EQ(rows.size(), 6u + 3u);
    EXPECT_EQ(rows[6][0], "10");
    EXPECT_EQ(rows[8][0], "12");

    run = cli(pivotArgs(auction, "rounds", out) << "--from"
                                                << "10");  // To empty: round 10 alone
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(exporttest::readCsv(fileText(out).toUtf8()).size(), 7u);

    run = cli(pivotArgs(auction, "rounds", out) << "--from"
                                                << "0"
                                                << "--to"
                                                << "1");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(exporttest::readCsv(fileText(out).toUtf8())[6][0], "1");

    EXPECT_TRUE(failedWithOneMessage(cli(pivotArgs(auction, "bidders", out) << "--from"
                                                                            << "8"
                                                                            << "--to"
                                                                            << "5"),
                                     3021));
    EXPECT_TRUE(failedWithOneMessage(cli(pivotArgs(auction, "rounds", out) << "--from"
                                                                           << "8"
                                                                           << "--to"
                                                                           << "5"),
                                     3021));
}

TEST_F(PivotCommand, RefusesToWriteOverTheAuctionItReads) {
    const QString copy = scratch.path("auction.csv");
    ASSERT_TRUE(QFile::copy(auction, copy));
    const auto bytes = [&copy] {
        QFile file(copy);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = bytes();
    ASSERT_FALSE(before.isEmpty());
    EXPECT_TRUE(failedWithOneMessage(cli(pivotArgs(copy, "rounds", copy) << "--from"
                                                                         << "1"),
                                     75));
    EXPECT_EQ(bytes(), before);
}

TEST_F(PivotCommand, BidderWithAnApostrophe) {
    const QString copy = scratch.path("copy.mdb");
    ASSERT_TRUE(QFile::copy(auction, copy));
    QString renamed;
    {
        db::Database database = db::Database::open(copy);
        const auto first = database.openRecordset("SELECT TOP 1 [Bidder] FROM [All Bids] ORDER BY [Bidder]",
                                                  db::RecordsetType::Snapshot);
        renamed = first->value(0).toString();
        analysistest::renameBidder(database, renamed, "O'Brien's");
    }
    const QString out = scratch.path("b.csv");
    const CliRun run = cli(pivotArgs(copy, "bidders", out) << "--from"
                                                           << "1"
                                                           << "--to"
                                                           << "12"
                                                           << "--select"
                                                           << "O'Brien's");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto rows = exporttest::readCsv(fileText(out).toUtf8());
    ASSERT_GT(rows.size(), 6u);
    ASSERT_GT(rows[4].size(), 1);
    for (qsizetype c = 1; c < rows[4].size(); ++c)
        EXPECT_EQ(rows[4][c], "O'Brien's");

    const CliRun unknown = cli(pivotArgs(copy, "bidders", out) << "--from"
                                                               << "1"
                                                               << "--select"
                                                               << "Nobody");
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains("Nobody")) << unknown.err;
}

// The .xlsx of an analysis holds the data set on Sheet1 and the same pivot as the CSV of the same analysis.
TEST_F(PivotCommand, WorkbookHoldsTheDataSetAndTheSamePivot) {
    const QString csv = scratch.path("m.csv"), xlsx = scratch.path("m.xlsx");
    for (const QString &out : {csv, xlsx}) {
        const CliRun run = cli(pivotArgs(auction, "markets", out) << "--from" << "1" << "--to" << "12");
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    const auto sheets = workbooktest::readWorkbook(xlsx);
    if (!sheets)
        GTEST_SKIP() << "python3 with openpyxl is missing";
    ASSERT_EQ(sheets->size(), 2u);
    const workbooktest::Sheet &data = (*sheets)[0], &table = (*sheets)[1];
    EXPECT_EQ(data.title, "Sheet1");
    ASSERT_EQ(data.rows.size(), 1u + 102u);
    EXPECT_EQ(data.cell(0, 10).toString(), "Net Bid Amount");
    EXPECT_EQ(table.cell(0, 0).toString(), "Sum of Net Bid Amount");
    const auto rows = exporttest::readCsv(fileText(csv).toUtf8());
    ASSERT_EQ(table.rows.size(), rows.size() + 2);  // the caption and "Round" rows besides
    for (std::size_t r = 6; r < rows.size(); ++r) {
        const int row = int(r) + 2;
        EXPECT_EQ(qint64(table.cell(row, 0).toDouble()), rows[r][0].toLongLong());
        for (qsizetype c = 1; c < rows[r].size(); ++c) {
            const auto cents = workbooktest::moneyCents(table.cell(row, int(c)));
            if (rows[r][c].isEmpty())
                EXPECT_FALSE(cents) << "round row " << row << " column " << c;
            else
                EXPECT_EQ(cents, decimalUnits(rows[r][c]) / 100) << "round row " << row << " column " << c;
        }
    }
}

TEST_F(PivotCommand, MalformedCommandLines) {
    const QString out = scratch.path("p.csv");
    EXPECT_TRUE(failedWithUsage(cli(pivotArgs(auction, "rounds", out) << "--from"
                                                                      << "1x")));
    EXPECT_TRUE(failedWithUsage(cli(pivotArgs(auction, "rounds", out) << "--from"
                                                                      << "1;DROP TABLE x")));
    EXPECT_TRUE(failedWithUsage(cli(pivotArgs(auction, "rounds", out) << "--from"
                                                                      << "-1")));
    EXPECT_TRUE(failedWithUsage(cli(pivotArgs(auction, "colors", out) << "--from"
                                                                      << "1")));
    EXPECT_TRUE(failedWithUsage(cli(pivotArgs(auction, "rounds", out) << "--from"
                                                                      << "1"
                                                                      << "--select"
                                                                      << "A")));
    EXPECT_TRUE(failedWithUsage(cli(pivotArgs(auction, "rounds", scratch.path("p.txt")) << "--from"
                                                                                        << "1")));
    EXPECT_TRUE(failedWithUsage(cli({"pivot", "--db", auction, "--by", "rounds", "--from", "1"})));
    EXPECT_FALSE(QFile::exists(out));
}

}  // namespace
