// The data set of the three analyses on auction 11, compared with the rows the
// analyses' own Jet statements give (rounds and names pasted in, as the dialogs
// did): round 10 alone, rounds 10-12 in round order, a license and a bidder
// selection in market order, From 0, an empty range (3021 already from the
// selection list), names holding an apostrophe, and the progress and cancel of
// a run.
#include "analysis/AnalysisQuery.h"
#include "analysis/AnalysisRun.h"
#include "analysis/AnalysisTestSupport.h"
#include "db/Error.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"

#include <QFile>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

using analysis::AnalysisKind;
using analysis::RoundRange;
using analysistest::dataSetRows;
using analysistest::queryRows;

const QString kSelect =
    QStringLiteral("SELECT a.[Auction ID], a.[Round], a.[License Name], "
                   "a.[Market], a.[Block], a.[Submarket], m.[Market Name], "
                   "a.[Bidder], a.[Increments of Bid], a.[Gross Bid Amount], "
                   "a.[Net Bid Amount] FROM [All Bids] a, [Markets] m "
                   "WHERE a.[Round] Between %1 AND %2 %3 AND a.[License Name] "
                   "= m.[License Name] AND a.[Auction ID] = "
                   "m.[Auction ID] AND a.[Round] = m.[Round]");

QString condition(const QString &column, const QStringList &names) {
  QStringList quoted;
  for (const QString &name : names)
    quoted << u'\'' + QString(name).replace(u'\'', QStringLiteral("''")) +
                  u'\''; // the statement's own quoting
  return QStringLiteral("AND a.[%1] IN(%2)")
      .arg(column, quoted.join(QStringLiteral(", ")));
}

QStringList sorted(QStringList rows) {
  rows.sort();
  return rows;
}

// Whether a column's values never go down (texts without regard to case).
bool ascending(const analysis::DataSet &data, int column) {
  for (int r = 1; r < data.rowCount(); ++r) {
    const QVariant a = data.value(r - 1, column), b = data.value(r, column);
    if (a.typeId() == QMetaType::QString
            ? a.toString().compare(b.toString(), Qt::CaseInsensitive) > 0
            : a.toDouble() > b.toDouble())
      return false;
  }
  return true;
}

class DataSetOfAuction : public testsupport::SharedAuction {
protected:
  static void SetUpTestSuite() {
    buildShared(QStringLiteral("auction-11"), 12);
  }
  testsupport::ScratchDir scratch;

  db::Database copy() {
    const QString path = scratch.path(QStringLiteral("copy.mdb"));
    EXPECT_TRUE(QFile::copy(auction, path));
    return db::Database::open(path);
  }
};

TEST_F(DataSetOfAuction, RoundsAnalysisTakesEveryBidInRoundOrder) {
  const db::Database database = db::Database::open(auction);
  const auto tenAlone =
      analysis::readDataSet(database, AnalysisKind::Rounds, {10, 10}, {});
  ASSERT_TRUE(tenAlone);
  EXPECT_EQ(tenAlone->rowCount(), 9); // the 9 bids of round 10
  EXPECT_EQ(
      sorted(dataSetRows(*tenAlone)),
      sorted(queryRows(database, kSelect.arg(10).arg(10).arg(QString()))));

  const auto tenToTwelve =
      analysis::readDataSet(database, AnalysisKind::Rounds, {10, 12}, {});
  ASSERT_TRUE(tenToTwelve);
  EXPECT_EQ(tenToTwelve->rowCount(), 9 + 5 + 2);
  EXPECT_TRUE(ascending(*tenToTwelve, analysis::RoundColumn));
  EXPECT_EQ(
      sorted(dataSetRows(*tenToTwelve)),
      sorted(queryRows(database, kSelect.arg(10).arg(12).arg(QString()))));
  EXPECT_EQ(analysis::dataSetColumnNames().size(), analysis::kDataSetColumns);
  EXPECT_EQ(analysis::dataSetColumnNames()[analysis::IncrementsColumn],
            "Increments of Bid");
  // Money is held exactly and shown in dollars.
  const analysis::DataCell &gross =
      tenToTwelve->cell(0, analysis::GrossAmountColumn);
  EXPECT_EQ(gross.kind, analysis::DataCell::Kind::Money);
  EXPECT_DOUBLE_EQ(tenToTwelve->value(gross).toDouble(),
                   double(gross.bits) / 10000.0);

  // From 0 reads as a range starting below round 1.
  const auto fromZero =
      analysis::readDataSet(database, AnalysisKind::Rounds, {0, 3}, {});
  ASSERT_TRUE(fromZero);
  EXPECT_EQ(fromZero->rowCount(), 17 + 12 + 6);
}

TEST_F(DataSetOfAuction, SelectionsReadOnlyTheirBidsInMarketOrder) {
  const db::Database database = db::Database::open(auction);
  const QStringList licenses =
      analysis::selectionValues(database, AnalysisKind::Markets, {1, 12});
  ASSERT_GE(licenses.size(), 3);
  EXPECT_EQ(
      licenses.size(),
      queryRows(database, "SELECT DISTINCT [License Name] FROM [All Bids]")
          .size());
  const QStringList twoLicenses{licenses[0], licenses[2]};
  const auto byLicense = analysis::readDataSet(database, AnalysisKind::Markets,
                                               {1, 12}, twoLicenses);
  ASSERT_TRUE(byLicense);
  EXPECT_TRUE(ascending(*byLicense, analysis::MarketColumn));
  EXPECT_EQ(sorted(dataSetRows(*byLicense)),
            sorted(queryRows(database, kSelect.arg(1).arg(12).arg(condition(
                                           "License Name", twoLicenses)))));

  const QStringList bidders =
      analysis::selectionValues(database, AnalysisKind::Bidders, {1, 12});
  ASSERT_EQ(bidders.size(), 8);
  const QStringList twoBidders{bidders[1], bidders[3]};
  const auto byBidder = analysis::readDataSet(database, AnalysisKind::Bidders,
                                              {1, 12}, twoBidders);
  ASSERT_TRUE(byBidder);
  EXPECT_GT(byBidder->rowCount(), 0);
  EXPECT_TRUE(ascending(*byBidder, analysis::MarketColumn));
  EXPECT_EQ(sorted(dataSetRows(*byBidder)),
            sorted(queryRows(database, kSelect.arg(1).arg(12).arg(
                                           condition("Bidder", twoBidders)))));
  // Names compare as the engine compares them: without regard to case.
  const auto lowerCase =
      analysis::readDataSet(database, AnalysisKind::Bidders, {1, 12},
                            {twoBidders[0].toLower(), twoBidders[1].toUpper()});
  ASSERT_TRUE(lowerCase);
  EXPECT_EQ(lowerCase->rowCount(), byBidder->rowCount());

  EXPECT_EQ(analysis::selectionLabel(AnalysisKind::Markets),
            "Select the Licenses to Analyze");
  EXPECT_EQ(analysis::selectionLabel(AnalysisKind::Bidders),
            "Select the Bidders to Analyze");
}

TEST_F(DataSetOfAuction, RangeWithoutBidsEndsWithNoCurrentRecord) {
  const db::Database database = db::Database::open(auction);
  for (const AnalysisKind kind :
       {AnalysisKind::Markets, AnalysisKind::Bidders}) {
    try {
      analysis::selectionValues(database, kind, {8, 5});
      ADD_FAILURE() << "no error for an empty range";
    } catch (const db::Error &error) {
      EXPECT_EQ(error.number(), 3021);
      EXPECT_EQ(error.description(), "No current record.");
    }
  }
  EXPECT_THROW(
      analysis::readDataSet(database, AnalysisKind::Rounds, {8, 5}, {}),
      db::Error);
  EXPECT_THROW(analysis::readDataSet(database, AnalysisKind::Markets, {1, 12},
                                     {"no such license"}),
               db::Error);
}

TEST_F(DataSetOfAuction, NamesWithApostrophes) {
  db::Database database = copy();
  const QStringList licenses =
      analysis::selectionValues(database, AnalysisKind::Markets, {1, 12});
  const QStringList bidders =
      analysis::selectionValues(database, AnalysisKind::Bidders, {1, 12});
  const auto before = analysis::readDataSet(database, AnalysisKind::Markets,
                                            {1, 12}, {licenses[0]});
  const auto beforeBidder = analysis::readDataSet(
      database, AnalysisKind::Bidders, {1, 12}, {bidders[0]});
  ASSERT_TRUE(before && beforeBidder);
  analysistest::renameLicense(database, licenses[0], "O'Hare's, \"Market\"");
  analysistest::renameBidder(database, bidders[0], "Bidder's Co");

  EXPECT_TRUE(
      analysis::selectionValues(database, AnalysisKind::Markets, {1, 12})
          .contains("O'Hare's, \"Market\""));
  EXPECT_TRUE(
      analysis::selectionValues(database, AnalysisKind::Bidders, {1, 12})
          .contains("Bidder's Co"));
  const auto license = analysis::readDataSet(database, AnalysisKind::Markets,
                                             {1, 12}, {"O'Hare's, \"Market\""});
  ASSERT_TRUE(license);
  EXPECT_EQ(license->rowCount(), before->rowCount());
  const auto bidder = analysis::readDataSet(database, AnalysisKind::Bidders,
                                            {1, 12}, {"bidder's co"});
  ASSERT_TRUE(bidder);
  EXPECT_EQ(bidder->rowCount(), beforeBidder->rowCount());
  EXPECT_EQ(bidder->value(0, analysis::BidderColumn).toString(), "Bidder's Co");
}

TEST_F(DataSetOfAuction, RunCountsItsStepsAndCanBeCancelled) {
  analysis::AnalysisRequest request{
      auction, AnalysisKind::Rounds, {1, 12}, true, {}};
  analysis::AnalysisProgress progress;
  const auto result = analysis::runAnalysis(request, progress);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->dataSet.rowCount(), 102);
  EXPECT_EQ(progress.total.load(), 102 + 11 + 14);
  EXPECT_EQ(progress.done.load(), progress.total.load());
  EXPECT_TRUE(result->pivot.gross);
  EXPECT_EQ(result->pivot.rowCount(), 12);

  analysis::AnalysisProgress cancelled;
  cancelled.cancel = true;
  EXPECT_FALSE(analysis::runAnalysis(request, cancelled));
}

} // namespace
