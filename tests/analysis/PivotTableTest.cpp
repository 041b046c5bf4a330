// The pivot of a data set: every cell of auction 11's pivot (gross and net)
// against sums the test computes from the bids; the order of the columns
// (numbers numerically before texts, texts without regard to case and grouped
// so, empty items last, fields nested in turn); exact sums where doubles go
// wrong; the sheet layout; a cancel.
#include "analysis/PivotTable.h"
#include "analysis/AnalysisQuery.h"
#include "analysis/AnalysisTestSupport.h"
#include "analysis/PivotSheet.h"
#include "db/Recordset.h"
#include "support/AuctionFixture.h"

#include <map>

#include <gtest/gtest.h>

namespace {

using analysis::DataCell;
using analysis::DataSet;
using analysis::PivotTable;

// A data set row from values: qlonglong, double (money in the amount columns),
// QString, or null.
void addRow(DataSet &data, const std::vector<QVariant> &values) {
  for (int c = 0; c < analysis::kDataSetColumns; ++c) {
    const QVariant &v = values[std::size_t(c)];
    if (v.isNull())
      data.cells.push_back({});
    else if (c >= analysis::GrossAmountColumn)
      data.cells.push_back({DataCell::Kind::Money, analysistest::units(v)});
    else if (v.typeId() == QMetaType::QString)
      data.cells.push_back(
          {DataCell::Kind::Text, data.internText(v.toString())});
    else if (v.typeId() == QMetaType::Double)
      data.cells.push_back(DataCell::ofReal(v.toDouble()));
    else
      data.cells.push_back({DataCell::Kind::Integer, v.toLongLong()});
  }
}

// A bid of round r in market m, with the other column fields fixed.
void addBid(DataSet &data, qlonglong round, const QVariant &market,
            const QVariant &bidder, double gross) {
  addRow(data, {11LL, round, QString("L"), market, QString("A"), 0LL,
                QString("Name"), bidder, 1LL, gross, gross});
}

QStringList itemsOf(const PivotTable &pivot, int field) {
  QStringList items;
  for (int c = 0; c < pivot.columnCount(); ++c)
    items << analysistest::comparable(pivot.item(c, field));
  return items;
}

TEST(PivotTable, ColumnsInSpreadsheetOrder) {
  DataSet data;
  addBid(data, 2, QString("b"), QString("X"), 1);
  addBid(data, 1, 10LL, QString("X"), 1);
  addBid(data, 1, QString(), QString("X"),
         1); // an empty text is the empty item
  addBid(data, 1, 9LL, QString("X"), 1);
  addBid(data, 3, QString("B"), QString("X"), 1); // the same item as "b"
  addBid(data, 1, QVariant(), QString("X"), 1);
  addBid(data, 1, 2.5, QString("X"), 1);
  addBid(data, 1, QString("a"), QString("y"), 1);
  addBid(data, 1, QString("a"), QString("X"), 1);
  addBid(data, 1, QString("Ab"), QString("X"), 1);
  addBid(data, 1, QString("10"), QString("X"), 1); // text, after every number
  const auto pivot = analysis::buildPivot(data, true);
  ASSERT_TRUE(pivot);
  EXPECT_EQ(itemsOf(*pivot, 0),
            QStringList({"#25000", "#90000", "#100000", "10", "a", "a", "Ab",
                         "b", "<null>"}));
  // Within market "a", bidders in case-insensitive order: "X" before "y".
  EXPECT_EQ(itemsOf(*pivot, 4)[4], "X");
  EXPECT_EQ(itemsOf(*pivot, 4)[5], "y");
  EXPECT_EQ(pivot->rounds, (std::vector<qint64>{1, 2, 3}));
  // "b" of round 2 and "B" of round 3 share a column, shown as first seen.
  EXPECT_EQ(pivot->sum(1, 7), 10000);
  EXPECT_EQ(pivot->sum(2, 7), 10000);
  EXPECT_EQ(pivot->item(7, 0).toString(), "b");
  EXPECT_FALSE(pivot->sum(0, 7));
}

TEST(PivotTable, SumsAreExact) {
  DataSet data;
  addBid(data, 1, QString("M"), QString("X"), 2147528748.20);
  addBid(data, 1, QString("M"), QString("X"), -2114426458.70);
  for (int i = 0; i < 10; ++i)
    addBid(data, 2, QString("M"), QString("X"), 0.1);
  addBid(data, 3, QString("M"), QString("X"), 5);
  data.cells[data.cells.size() - 1] =
      {}; // a bid of round 3 without a net amount
  const auto net = analysis::buildPivot(data, false);
  ASSERT_TRUE(net);
  ASSERT_EQ(net->columnCount(), 1);
  EXPECT_EQ(net->sum(0, 0), 331022895000); // 33,102,289.50 exactly
  EXPECT_EQ(net->sum(1, 0), 10000);        // ten times 0.1 is 1
  EXPECT_FALSE(net->sum(2, 0));            // no amount: empty, not zero
  EXPECT_EQ(analysis::buildPivot(data, true)->sum(2, 0), 50000);
}

TEST(PivotTable, SheetLayoutAndCancel) {
  DataSet data;
  addBid(data, 4, QString("M"), QString("X"), 12.5);
  addBid(data, 7, QString("N"), QString("X"), 3);
  const auto pivot = analysis::buildPivot(data, false);
  ASSERT_TRUE(pivot);
  EXPECT_EQ(analysis::pivotSheetRows(*pivot), 10);
  EXPECT_EQ(analysis::pivotSheetColumns(*pivot), 3);
  EXPECT_EQ(analysis::pivotSheetValue(*pivot, 0, 0).toString(),
            "Sum of Net Bid Amount");
  EXPECT_TRUE(analysis::pivotSheetValue(*pivot, 0, 1).isNull());
  EXPECT_EQ(analysis::pivotSheetValue(*pivot, 1, 0).toString(), "Market");
  EXPECT_EQ(analysis::pivotSheetValue(*pivot, 1, 2).toString(), "N");
  EXPECT_EQ(analysis::pivotSheetValue(*pivot, 6, 0).toString(),
            "Increments of Bid");
  EXPECT_EQ(analysis::pivotSheetValue(*pivot, 7, 0).toString(), "Round");
  EXPECT_EQ(analysis::pivotSheetValue(*pivot, 8, 0).toLongLong(), 4);
  EXPECT_DOUBLE_EQ(analysis::pivotSheetValue(*pivot, 8, 1).toDouble(), 12.5);
  EXPECT_TRUE(analysis::pivotSheetValue(*pivot, 8, 2).isNull());
  EXPECT_TRUE(analysis::pivotSheetIsSum(9, 2));
  EXPECT_FALSE(analysis::pivotSheetIsSum(7, 2));
  EXPECT_FALSE(analysis::pivotSheetIsSum(9, 0));
  EXPECT_EQ(analysis::dataFieldCaption(true), "Sum of Gross Bid Amount");
  EXPECT_EQ(analysis::columnFieldNames(),
            QStringList({"Market", "Block", "Submarket", "Market Name",
                         "Bidder", "Increments of Bid"}));

  int calls = 0;
  EXPECT_FALSE(analysis::buildPivot(
      data, false, [&](qint64, qint64) { return ++calls < 3; }));
  EXPECT_EQ(calls, 3);
}

class PivotOfAuction : public testsupport::SharedAuction {
protected:
  static void SetUpTestSuite() {
    buildShared(QStringLiteral("auction-11"), 12);
  }
};

// Every cell of the whole auction's pivot equals the sum of its bids, computed
// here from the joined rows.
TEST_F(PivotOfAuction, EveryCellIsTheSumOfItsBids) {
  const db::Database database = db::Database::open(auction);
  const auto data = analysis::readDataSet(
      database, analysis::AnalysisKind::Rounds, {1, 12}, {});
  ASSERT_TRUE(data);
  for (const bool gross : {true, false}) {
    std::map<QString, qint64>
        expected; // "round|market|...|increments" -> ten-thousandths
    const auto rows = database.openRecordset(
        QString("SELECT a.[Round], a.[Market], a.[Block], a.[Submarket], "
                "m.[Market Name], a.[Bidder], "
                "a.[Increments of Bid], a.[%1] FROM [All Bids] a, [Markets] m "
                "WHERE a.[License Name] = "
                "m.[License Name] AND a.[Auction ID] = m.[Auction ID] AND "
                "a.[Round] = m.[Round]")
            .arg(gross ? "Gross Bid Amount" : "Net Bid Amount"),
        db::RecordsetType::Snapshot);
    int bids = 0;
    for (; !rows->eof(); rows->moveNext(), ++bids) {
      QStringList key;
      for (int c = 0; c < 7; ++c)
        key << analysistest::comparable(rows->value(c));
      expected[key.join(u'|')] += analysistest::units(rows->value(7));
    }
    ASSERT_EQ(bids, 102);
    const auto pivot = analysis::buildPivot(*data, gross);
    ASSERT_TRUE(pivot);
    std::map<QString, qint64> actual;
    for (int r = 0; r < pivot->rowCount(); ++r)
      for (int c = 0; c < pivot->columnCount(); ++c)
        if (const auto sum = pivot->sum(r, c)) {
          QStringList key{analysistest::comparable(
              QVariant(qlonglong(pivot->rounds[std::size_t(r)])))};
          for (int f = 0; f < analysis::kColumnFields; ++f)
            key << analysistest::comparable(pivot->item(c, f));
          actual[key.join(u'|')] = *sum;
        }
    EXPECT_EQ(actual, expected);
  }
}

} // namespace
