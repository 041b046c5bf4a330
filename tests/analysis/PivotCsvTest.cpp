// The pivot as CSV: six header lines with the fields' items, one line per
// round, sums as plain decimals, empty cells, RFC 4180 quoting; a file that
// cannot be written raises the error and leaves nothing behind.
#include "analysis/PivotCsv.h"
#include "db/Error.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <limits>

#include <gtest/gtest.h>

namespace {

using analysis::DataCell;

// Two columns (market 7 and market "Dallas, \"North\"") over rounds 2 and 5.
analysis::PivotTable samplePivot() {
  analysis::PivotTable pivot;
  pivot.texts = {"Dallas, \"North\"", "A", "Bidder One"};
  const DataCell text0{DataCell::Kind::Text, 0}, block{DataCell::Kind::Text, 1},
      bidder{DataCell::Kind::Text, 2};
  const DataCell seven{DataCell::Kind::Integer, 7},
      one{DataCell::Kind::Integer, 1};
  pivot.columns.push_back({seven, block, DataCell{}, text0, bidder, one});
  pivot.columns.push_back(
      {text0, block, DataCell::ofReal(0.5), text0, bidder, one});
  pivot.rounds = {2, 5};
  pivot.rowStart = {0, 2, 3};
  pivot.cellColumn = {0, 1, 1};
  pivot.cellSum = {12345678, -2500, 100000000000};
  return pivot;
}

QString fileText(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                        : QString();
}

TEST(PivotCsv, LayoutReadBack) {
  testsupport::ScratchDir scratch;
  const QString path = scratch.path("pivot.csv");
  analysis::writePivotCsv(path, samplePivot());
  EXPECT_EQ(
      fileText(path),
      "Market,7,\"Dallas, \"\"North\"\"\"\r\n"
      "Block,A,A\r\n"
      "Submarket,,0.5\r\n"
      "Market Name,\"Dallas, \"\"North\"\"\",\"Dallas, \"\"North\"\"\"\r\n"
      "Bidder,Bidder One,Bidder One\r\n"
      "Increments of Bid,1,1\r\n"
      "2,1234.5678,-0.25\r\n"
      "5,,10000000\r\n");
  EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList{"pivot.csv"});
}

TEST(PivotCsv, PlainAmounts) {
  EXPECT_EQ(analysis::plainAmount(0), "0");
  EXPECT_EQ(analysis::plainAmount(10000), "1");
  EXPECT_EQ(analysis::plainAmount(12345), "1.2345");
  EXPECT_EQ(analysis::plainAmount(-5000), "-0.5");
  EXPECT_EQ(analysis::plainAmount(331022895000), "33102289.5");
  EXPECT_EQ(analysis::plainAmount(std::numeric_limits<qint64>::min()),
            "-922337203685477.5808");
}

TEST(PivotCsv, UnwritableTargetRaisesAndLeavesNothing) {
  testsupport::ScratchDir scratch;
  try {
    analysis::writePivotCsv(scratch.path("missing/pivot.csv"), samplePivot());
    ADD_FAILURE() << "no error for a missing folder";
  } catch (const db::Error &error) {
    EXPECT_EQ(error.number(), 75);
  }
  // A folder in the target's place: the write fails and the folder's contents
  // stay as they were.
  ASSERT_TRUE(QDir(scratch.path()).mkdir("taken.csv"));
  EXPECT_THROW(
      analysis::writePivotCsv(scratch.path("taken.csv"), samplePivot()),
      db::Error);
  EXPECT_EQ(
      QDir(scratch.path())
          .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
      QStringList{"taken.csv"});
}

} // namespace
