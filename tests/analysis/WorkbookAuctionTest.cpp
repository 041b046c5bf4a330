// The workbook of a whole auction's round analysis (auction-11, net amounts) read back: Sheet1 holds every bid as the
// data set holds it, and every pivot cell equals the sum of the matching bids, computed here from the tables.
#include "analysis/AnalysisRun.h"
#include "analysis/AnalysisTestSupport.h"
#include "analysis/PivotSheet.h"
#include "analysis/WorkbookFile.h"
#include "analysis/WorkbookReadBack.h"
#include "db/Recordset.h"
#include "support/AuctionFixture.h"
#include "tables/ExportTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace workbooktest;

namespace {

// A value as the key of a pivot column: texts as they are, numbers in full, empty for null.
QString keyText(const QVariant &value) {
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    return QString::number(value.toDouble(), 'g', 17);
}

QString keyText(const QJsonValue &cell) {
    if (cell.isString())
        return cell.toString();
    if (cell.isDouble())
        return QString::number(cell.toDouble(), 'g', 17);
    return {};
}

class WorkbookOfAnAuction : public testsupport::SharedAuction {
protected:
    static void SetUpTestSuite() { buildShared(QStringLiteral("auction-11"), 12); }
    testsupport::ScratchDir scratch;
};

TEST_F(WorkbookOfAnAuction, Sheet1HoldsEveryBidAndEveryPivotCellIsTheSumOfItsBids) {
    analysis::AnalysisRequest request;
    request.databasePath = auction;
    request.kind = analysis::AnalysisKind::Rounds;
    request.range = {1, 12};
    analysis::AnalysisProgress progress;
    const auto result = analysis::runAnalysis(request, progress);
    ASSERT_TRUE(result);
    const QString path = scratch.path(QStringLiteral("rounds.xlsx"));
    ASSERT_TRUE(analysis::writeWorkbook(path, *result));
    const auto sheets = readWorkbook(path);
    if (!sheets) {
        if (exporttest::toolsRequired())
            ADD_FAILURE() << "python3 with openpyxl is needed to read the workbook back";
        GTEST_SKIP() << "python3 with openpyxl is missing";
    }
    ASSERT_EQ(sheets->size(), 2u);
    const Sheet &data = (*sheets)[0];
    ASSERT_EQ(data.rows.size(), 1u + 102u);  // the column names and the 102 bids
    for (int row = 0; row < result->dataSet.rowCount(); ++row) {
        for (int c = 0; c < analysis::kDataSetColumns; ++c) {
            const QVariant stored = result->dataSet.value(row, c);
            if (c >= analysis::GrossAmountColumn)
                EXPECT_EQ(moneyCents(data.cell(row + 1, c)), std::llround(stored.toDouble() * 100)) << row << ' ' << c;
            else
                EXPECT_EQ(keyText(data.cell(row + 1, c)), keyText(stored)) << row << ' ' << c;
        }
    }

    std::map<QString, qint64> expectedCents;
    const db::Database database = db::Database::open(auction);
    const auto bids = database.openRecordset(
        QStringLiteral("SELECT a.[Round], a.[Market], a.[Block], a.[Submarket], m.[Market Name], a.[Bidder], "
                       "a.[Increments of Bid], a.[Net Bid Amount] FROM [All Bids] a, [Markets] m "
                       "WHERE a.[License Name] = m.[License Name] AND a.[Auction ID] = m.[Auction ID] "
                       "AND a.[Round] = m.[Round]"),
        db::RecordsetType::Snapshot);
    std::map<QString, qint64> units;
    for (; !bids->eof(); bids->moveNext()) {
        QStringList key;
        for (int c = 0; c < 7; ++c)
            key << keyText(bids->value(c));
        units[key.join(u'|')] += analysistest::units(bids->value(7));
    }
    for (const auto &[key, sum] : units)
        expectedCents[key] = (sum + 50) / 100;  // amounts are whole cents; sums of them too

    ASSERT_EQ(expectedCents.size(), 102u) << "every bid of auction-11 has a column and round of its own";
    const Sheet &pivot = (*sheets)[1];
    EXPECT_EQ(keyText(pivot.cell(0, 0)), QStringLiteral("Sum of Net Bid Amount"));
    std::map<QString, qint64> actualCents;
    for (std::size_t row = analysis::kPivotHeaderRows; row < pivot.rows.size(); ++row)
        for (std::size_t c = 1; c < pivot.rows[row].size(); ++c) {
            const auto cents = moneyCents(pivot.rows[row][c]);
            if (!cents)
                continue;
            QStringList key{keyText(pivot.cell(int(row), 0))};
            for (int field = 1; field <= 6; ++field)
                key << keyText(pivot.cell(field, int(c)));
            actualCents[key.join(u'|')] = *cents;
        }
    EXPECT_EQ(actualCents, expectedCents);
}

}  // namespace
