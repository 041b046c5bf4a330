// The workbook window of a round analysis on auction 11: its two sheets (the pivot first) with the pivot's sums
// against sums of the bids computed here, and Save As to .xlsx and .csv, cancelled, and failing without leaving
// a file.
#include "analysis/AnalysisWindowFixture.h"
#include "analysis/PivotSheet.h"
#include "analysis/PivotTable.h"
#include "db/Recordset.h"
#include "grid/CellText.h"

#include <QFile>
#include <QProcess>
#include <QTabWidget>
#include <QTableView>

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

using grid::frmFlexGrid;

class WorkbookWindow : public AnalysisWindow {
protected:
    void SetUp() override {
        AnalysisWindow::SetUp();
        answerRounds("10", "12", true);
        run(&frmFlexGrid::RoundsAnalysis);
        ASSERT_TRUE(workbook());
    }
    // The gross amounts of the rounds' bids, in cents, by round and by the six column fields as text.
    std::map<std::pair<qint64, QString>, qint64> bidSums() const {
        std::map<std::pair<qint64, QString>, qint64> sums;
        const auto rows = state.AuctionDb.openRecordset(
            "SELECT a.[Round], a.[Market], a.[Block], a.[Submarket], m.[Market Name], a.[Bidder], "
            "a.[Increments of Bid], a.[Gross Bid Amount] FROM [All Bids] a, [Markets] m WHERE a.[Round] BETWEEN 10 "
            "AND 12 AND a.[License Name] = m.[License Name] AND a.[Auction ID] = m.[Auction ID] AND a.[Round] = "
            "m.[Round]",
            db::RecordsetType::Snapshot);
        for (; !rows->eof(); rows->moveNext()) {
            QStringList key;
            for (int field = 1; field <= 6; ++field)
                key << rows->value(field).toString();
            sums[{rows->value(0).toLongLong(), key.join(u'|')}] += std::llround(rows->value(7).toDouble() * 100);
        }
        return sums;
    }
};

TEST_F(WorkbookWindow, PivotSheetShowsTheSumsOfTheBids) {
    analysis::frmWorkbook &book = *workbook();
    ASSERT_EQ(book.tabSheets->count(), 2);
    EXPECT_EQ(book.tabSheets->tabText(0), "PivotTable1");
    EXPECT_EQ(book.tabSheets->tabText(1), "Sheet1");
    EXPECT_EQ(book.tabSheets->currentIndex(), 0);

    const QAbstractItemModel &model = *book.grdPivot->model();
    const analysis::PivotTable &pivot = book.result().pivot;
    EXPECT_EQ(model.index(0, 0).data().toString(), "Sum of Gross Bid Amount");
    EXPECT_EQ(model.index(analysis::kPivotHeaderRows - 1, 0).data().toString(), "Round");
    EXPECT_EQ(model.headerData(27, Qt::Horizontal).toString(), "AB");

    const auto expected = bidSums();
    std::size_t cells = 0;
    for (int row = 0; row < pivot.rowCount(); ++row)
        for (int column = 0; column < pivot.columnCount(); ++column) {
            const std::optional<qint64> sum = pivot.sum(row, column);
            if (!sum)
                continue;
            ++cells;
            QStringList key;
            for (int field = 0; field < analysis::kColumnFields; ++field)
                key << pivot.item(column, field).toString();
            const auto found = expected.find({pivot.rounds[std::size_t(row)], key.join(u'|')});
            ASSERT_NE(found, expected.end()) << key.join(u'|');
            EXPECT_EQ(*sum, found->second * 100) << key.join(u'|');
            const QModelIndex shown = model.index(analysis::kPivotHeaderRows + row, column + 1);
            EXPECT_EQ(shown.data().toString(),
                      u'$' + grid::cellText(double(*sum) / 10000, db::ColumnType::Currency, {}));
        }
    EXPECT_EQ(cells, expected.size());
}

TEST_F(WorkbookWindow, DataSheetHoldsTheColumnNamesThenTheBids) {
    const QAbstractItemModel &model = *workbook()->grdData->model();
    EXPECT_EQ(model.columnCount(), 11);
    EXPECT_EQ(model.index(0, 0).data().toString(), "Auction ID");
    EXPECT_EQ(model.index(0, 10).data().toString(), "Net Bid Amount");
    const int bids = int(engineColumn("SELECT [Round] FROM [All Bids] WHERE [Round] BETWEEN 10 AND 12").size());
    EXPECT_EQ(model.rowCount(), bids + 1);
    EXPECT_EQ(model.index(1, 1).data().toString(), "10");  // in round order
    EXPECT_EQ(model.index(bids, 1).data().toString(), "12");
}

TEST_F(WorkbookWindow, SaveAsWritesTheWorkbookAndTheCsv) {
    const QString xlsx = dir.path("pivot.xlsx");
    const QString csv = dir.path("pivot.csv");
    ui.expectOpen(xlsx).expectMessage("Save As");
    workbook()->DBSaveAs();
    ui.expectOpen(csv).expectMessage("Save As");
    workbook()->DBSaveAs();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(ui.messages[0].text.startsWith("The workbook was written to ")) << ui.messages[0].text;
    EXPECT_TRUE(ui.messages[1].text.startsWith("The pivot table was written to ")) << ui.messages[1].text;
    ASSERT_EQ(ui.dialogs.size(), 2u);
    EXPECT_EQ(ui.dialogs[0].filter, "Excel Workbook (*.xlsx)|*.xlsx|CSV (*.csv)|*.csv");

    QFile book(xlsx);
    ASSERT_TRUE(book.open(QIODevice::ReadOnly));
    EXPECT_EQ(book.read(2), "PK");
    QProcess python;
    python.start("/usr/bin/python3", {"-c",
                                      "import openpyxl,sys; b=openpyxl.load_workbook(sys.argv[1], read_only=True); "
                                      "print(','.join(sorted(b.sheetnames)))",
                                      xlsx});
    ASSERT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(python.readAllStandardOutput()).trimmed(), "PivotTable1,Sheet1")
        << python.readAllStandardError().toStdString();

    QFile text(csv);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = text.readAll().split('\n');
    ASSERT_GT(lines.size(), 7);
    EXPECT_TRUE(lines[0].startsWith("Market,"));
    EXPECT_TRUE(lines[6].startsWith("10,"));
}

TEST_F(WorkbookWindow, SaveAsCancelledOrFailingLeavesNoFile) {
    ui.expectOpenCancelled();
    workbook()->DBSaveAs();
    const QString path = dir.path("missing/pivot.xlsx");
    ui.expectOpen(path).expectMessage("");
    workbook()->DBSaveAs();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.startsWith("Error ")) << ui.messages[0].text;
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
