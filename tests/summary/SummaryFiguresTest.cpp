// The Round Summary's figures on auction 11: the statistics of a round and their texts, the day change on the
// auction's first day, at the first round of a new date and within a later date, the zero counts, a round
// without statistics (its figures empty, the others still read), and money kept exact where doubles go wrong.
#include "db/Database.h"
#include "db/Recordset.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"
#include "summary/Money.h"
#include "summary/RoundFigures.h"
#include "summary/SummarySheet.h"

#include <QFile>

#include <limits>

#include <gtest/gtest.h>

namespace {

using summary::RoundFigures;

constexpr qint64 kDollar = summary::kMoneyUnitsPerDollar;

// Auction 11, rounds 1-12; copied before a test changes it.
class SummaryFigures : public testsupport::SharedAuction {
protected:
    static void SetUpTestSuite() { buildShared(QStringLiteral("auction-11"), 12); }

    testsupport::ScratchDir scratch;

    db::Database copy() {
        const QString path = scratch.path(QStringLiteral("copy.mdb"));
        EXPECT_TRUE(QFile::copy(auction, path));
        return db::Database::open(path);
    }
    static QString text(const RoundFigures &figures, const QString &label) {
        return summary::figureTexts(figures, QLocale::c()).at(summary::figureLabels().indexOf(label));
    }
};

TEST_F(SummaryFigures, RoundsNewestFirstAndAuctionNumber) {
    const db::Database database = db::Database::open(auction);
    const std::vector<qint64> rounds = summary::roundList(database);
    ASSERT_EQ(rounds.size(), 12u);
    EXPECT_EQ(rounds.front(), 12);
    EXPECT_EQ(rounds.back(), 1);
    EXPECT_EQ(summary::auctionNumber(database), 11);
    EXPECT_EQ(summary::auctionHeading(11), QStringLiteral("Auction 11"));
    EXPECT_EQ(summary::roundHeading(6), QStringLiteral("Round 6"));
}

TEST_F(SummaryFigures, RoundSixAsTheSheetShowsIt) {
    const RoundFigures f = summary::readRoundFigures(db::Database::open(auction), 6);
    EXPECT_EQ(f.netBids, 88829183 * kDollar + 3500);
    const QStringList expected = {
        QLocale::c().toString(QDate(2006, 8, 25), QLocale::ShortFormat), "2", "97.73", "$88,829,183",
        "$100,207,741", "$9,594,383",
        "$12,904,463",  // 88,829,183.35 less round 3's 75,924,720 (the day before)
        "8", "16", "1", "1", "1.42", "98.11", "0", "8", "251,059", "0", "0", "1", "0"};
    const QStringList texts = summary::figureTexts(f, QLocale::c());
    for (int i = 0; i < summary::kFigureCount; ++i)
        EXPECT_EQ(texts[i], expected[i]) << summary::figureLabels()[i].toStdString();
    EXPECT_FALSE(f.dayChangeError.has_value());
}

TEST_F(SummaryFigures, DayChangeAgainstTheLastRoundOfTheLatestEarlierDate) {
    const db::Database database = db::Database::open(auction);
    // Rounds 1-3 are on the first day: the change is the round's own net bids.
    EXPECT_EQ(summary::previousDayRound(database, 1), std::nullopt);
    EXPECT_EQ(summary::dayChange(database, 1), 45603000 * kDollar);
    EXPECT_EQ(summary::dayChange(database, 3), 75924720 * kDollar);
    // Round 4 opens 25 August: against round 3.
    EXPECT_EQ(summary::previousDayRound(database, 4), 3);
    EXPECT_EQ(summary::dayChange(database, 4), 4585020 * kDollar);
    // Round 7 opens 28 August, three days after round 6; round 10 is later that day.
    EXPECT_EQ(summary::previousDayRound(database, 7), 6);
    EXPECT_EQ(summary::dayChange(database, 7), -(2485766 * kDollar + 3500));
    EXPECT_EQ(summary::previousDayRound(database, 10), 6);
    EXPECT_EQ(summary::dayChange(database, 10), 11971012 * kDollar + 500);
    const RoundFigures seven = summary::readRoundFigures(database, 7);
    EXPECT_EQ(text(seven, "Change in Net Prev Day"), QStringLiteral("-$2,485,766"));
    EXPECT_EQ(text(seven, "Change in Net Prev Round"), QStringLiteral("-$2,485,766"));
}

TEST_F(SummaryFigures, CountsOfRaisingAndMultiIncrementBids) {
    const db::Database database = db::Database::open(auction);
    // Round 3 has the one bidder raising its own high bid; round 4 none, and no bid of more than one increment:
    // both show 0, not empty.
    EXPECT_EQ(summary::readRoundFigures(database, 3).raisingOwnHighBid, 1);
    const RoundFigures four = summary::readRoundFigures(database, 4);
    EXPECT_EQ(text(four, "Bidders Raising Own High Bid"), QStringLiteral("0"));
    EXPECT_EQ(text(four, "Multi-Increment Bids"), QStringLiteral("0"));
    EXPECT_EQ(text(summary::readRoundFigures(database, 1), "Multi-Increment Bids"), QStringLiteral("5"));
    auto scalar = [&](const QString &sql) {
        return database.openRecordset(sql, db::RecordsetType::Snapshot)->value(0).toLongLong();
    };
    for (qint64 round = 1; round <= 12; ++round) {
        const RoundFigures f = summary::readRoundFigures(database, round);
        const QString where = QStringLiteral(" WHERE [Round] = ") + QString::number(round);
        EXPECT_EQ(f.multiIncrementBids,
                  scalar("SELECT Count(*) FROM [All Bids]" + where + " AND [Increments of Bid] >= 2"));
        EXPECT_EQ(f.additionalActivityRequired,
                  scalar("SELECT Sum([Additional Activity Required]) FROM [Bidders]" + where));
    }
}

TEST_F(SummaryFigures, RoundWithoutStatisticsShowsItsFiguresEmpty) {
    db::Database database = copy();
    database.execute("DELETE FROM [Round Statistics] WHERE [Round] = 9");
    // Round 8 first, as the window would show it before: nothing of it may remain in round 9's figures.
    const RoundFigures eight = summary::readRoundFigures(database, 8);
    ASSERT_TRUE(eight.netBids.has_value());
    const RoundFigures nine = summary::readRoundFigures(database, 9);
    EXPECT_FALSE(nine.roundDate || nine.netBids || nine.changePrevDay || nine.totalBids || nine.coveredBUsPct);
    ASSERT_TRUE(nine.dayChangeError.has_value());
    EXPECT_EQ(nine.dayChangeError->number(), 3021);
    const QStringList texts = summary::figureTexts(nine, QLocale::c());
    EXPECT_EQ(texts[summary::figureLabels().indexOf("Net Bids")], QString());
    EXPECT_EQ(texts[summary::figureLabels().indexOf("Change in Net Prev Day")], QString());
    // The bidder sums and counts come from other tables and are still read.
    EXPECT_TRUE(nine.additionalActivityRequired.has_value());
    EXPECT_EQ(nine.multiIncrementBids, 5);
    // Round 10's day change still finds round 6 (no other date lies between).
    EXPECT_EQ(summary::dayChange(database, 10), 11971012 * kDollar + 500);
}

TEST_F(SummaryFigures, MoneyIsExactWhereDoublesLoseTheHalfDollar) {
    db::Database database = copy();
    database.execute("UPDATE [Round Statistics] SET [Net Bids] = 2114426458.70 WHERE [Round] = 6");
    database.execute("UPDATE [Round Statistics] SET [Net Bids] = 2147528748.20 WHERE [Round] = 7");
    ASSERT_LT(2147528748.20 - 2114426458.70, 33102289.5);  // what subtracting doubles gives
    const RoundFigures seven = summary::readRoundFigures(database, 7);
    EXPECT_EQ(seven.changePrevDay, 33102289 * kDollar + 5000);
    EXPECT_EQ(text(seven, "Change in Net Prev Day"), QStringLiteral("$33,102,290"));
    EXPECT_EQ(text(seven, "Net Bids"), QStringLiteral("$2,147,528,748"));
}

TEST(SummaryMoney, StoredAmountsAndTheirTexts) {
    using summary::moneyUnits;
    EXPECT_EQ(moneyUnits(QVariant(qlonglong(12))), 120000);
    EXPECT_EQ(moneyUnits(QVariant(0.1 + 0.2)), 3000);
    EXPECT_EQ(moneyUnits(QVariant(0.0003)), 3);  // times 10,000 the double is 2.9999999999999996
    EXPECT_EQ(moneyUnits(QVariant(-0.0003)), -3);
    EXPECT_EQ(moneyUnits(QVariant(-88829183.35)), -888291833500);
    EXPECT_EQ(moneyUnits(QVariant(QStringLiteral("-2147528748.20005"))), -21475287482001);
    EXPECT_EQ(moneyUnits(QVariant(QStringLiteral("12.5x"))), std::nullopt);
    EXPECT_EQ(moneyUnits(QVariant()), std::nullopt);
    EXPECT_EQ(moneyUnits(QVariant(1e300)), std::nullopt);
    EXPECT_EQ(summary::moneyDifference(std::numeric_limits<qint64>::min(), 1), std::nullopt);
    // Whole dollars half away from zero, as the sheet's format rounds.
    EXPECT_EQ(summary::moneyText(5000), QStringLiteral("$1"));
    EXPECT_EQ(summary::moneyText(4999), QStringLiteral("$0"));
    EXPECT_EQ(summary::moneyText(-5000), QStringLiteral("-$1"));
    EXPECT_EQ(summary::moneyText(-4999), QStringLiteral("$0"));
    EXPECT_EQ(summary::moneyText(1234567890123 * kDollar), QStringLiteral("$1,234,567,890,123"));
    EXPECT_EQ(summary::countText(0), QStringLiteral("0"));
    EXPECT_EQ(summary::countText(-1234), QStringLiteral("-1,234"));
    EXPECT_EQ(summary::wholeCents(-50), -1);
    EXPECT_EQ(summary::wholeCents(149), 1);
}

}  // namespace
