// The workbook of an analysis as a spreadsheet program reads it back: the data set on "Sheet1", the pivot's header
// rows and exact sums, the sheets a wide pivot or a long data set goes on over, and files left as they were when
// the writing fails or is cancelled.
#include "analysis/WorkbookReadBack.h"
#include "analysis/WorkbookSheets.h"
#include "db/Error.h"
#include "support/TestSupport.h"
#include "tables/ExportTestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <map>

using namespace workbooktest;

namespace {

// A cell as a short text: strings as they are, numbers in full, money as "$" + whole cents, empty for null.
QString shown(const QJsonValue &cell) {
    if (const auto cents = moneyCents(cell))
        return QStringLiteral("$%1").arg(*cents);
    if (cell.isString())
        return cell.toString();
    if (cell.isDouble())
        return QString::number(cell.toDouble(), 'g', 17);
    return {};
}

QStringList shownRow(const Sheet &sheet, int row, int columns) {
    QStringList cells;
    for (int c = 0; c < columns; ++c)
        cells << shown(sheet.cell(row, c));
    return cells;
}

QStringList titles(const std::vector<Sheet> &sheets) {
    QStringList list;
    for (const Sheet &sheet : sheets)
        list << sheet.title;
    return list;
}

analysis::AnalysisResult sample() {
    analysis::AnalysisResult result;
    result.dataSet = dataSet({
        {11, 1, QStringLiteral("CWB012-B"), QStringLiteral("BEA012"), QStringLiteral("B"), 0,
         QStringLiteral("Grand Forks, ND \u00e9"), QStringLiteral("O'Brien Wireless"), 3, 21475287482000LL,
         21144264587000LL},
        {11, 2, QStringLiteral("CWB005-C1"), QStringLiteral("BEA005"), QStringLiteral("C"), 1, QVariant(),
         QStringLiteral("Tab\tand line\nbreak"), 1, 10000, 5},
    });
    result.pivot = pivot(
        true, {1, 2, 5},
        {{QStringLiteral("BEA005"), QStringLiteral("C"), 1, QStringLiteral("Market E"), QStringLiteral("Alpha"), 1},
         {QStringLiteral("BEA012"), QStringLiteral("B"), 0, QStringLiteral("Market L"),
          QStringLiteral("O'Brien Wireless"), 3},
         {QStringLiteral("BEA012"), QStringLiteral("B"), 0, QVariant(), QStringLiteral("Zed"), 9}},
        {{{0, 21475287482000LL}, {2, 10000}}, {{1, 12345678}}, {{1, 5}}});
    return result;
}

class WorkbookFile : public ::testing::Test {
protected:
    std::optional<std::vector<Sheet>> read(const QString &path) {
        auto sheets = readWorkbook(path);
        if (!sheets && exporttest::toolsRequired())
            ADD_FAILURE() << "python3 with openpyxl is needed to read the workbook back";
        return sheets;
    }
    QStringList filesHere() const { return exporttest::filesIn(dir.path()); }

    testsupport::ScratchDir dir;
};

TEST_F(WorkbookFile, HoldsTheDataSetAndThePivotWithTypedCellsAndExactSums) {
    const QString path = dir.path(QStringLiteral("analysis.xlsx"));
    const auto written = analysis::writeWorkbook(path, sample());
    ASSERT_TRUE(written);
    EXPECT_EQ(written->dataSheets, 1);
    EXPECT_EQ(written->pivotSheets, 1);
    EXPECT_EQ(filesHere(), QStringList{QStringLiteral("analysis.xlsx")});
    const auto sheets = read(path);
    if (!sheets)
        GTEST_SKIP() << "python3 with openpyxl is missing";
    ASSERT_EQ(titles(*sheets), (QStringList{QStringLiteral("Sheet1"), QStringLiteral("PivotTable1")}));
    EXPECT_TRUE((*sheets)[1].active);

    const Sheet &data = (*sheets)[0];
    ASSERT_EQ(data.rows.size(), 3u);
    EXPECT_EQ(shownRow(data, 0, 11), analysis::dataSetColumnNames());
    EXPECT_EQ(shownRow(data, 1, 11), (QStringList{"11", "1", "CWB012-B", "BEA012", "B", "0", "Grand Forks, ND \u00e9",
                                                  "O'Brien Wireless", "3", "$214752874820", "$211442645870"}));
    EXPECT_EQ(shownRow(data, 2, 11),
              (QStringList{"11", "2", "CWB005-C1", "BEA005", "C", "1", "", "Tab\tand line\nbreak", "1", "$100", "$0"}));

    const Sheet &table = (*sheets)[1];
    ASSERT_EQ(table.rows.size(), 11u);
    const QStringList expected[] = {
        {"Sum of Gross Bid Amount", "", "", ""},
        {"Market", "BEA005", "BEA012", "BEA012"},
        {"Block", "C", "B", "B"},
        {"Submarket", "1", "0", "0"},
        {"Market Name", "Market E", "Market L", ""},
        {"Bidder", "Alpha", "O'Brien Wireless", "Zed"},
        {"Increments of Bid", "1", "3", "9"},
        {"Round", "", "", ""},
        {"1", "$214752874820", "", "$100"},
        {"2", "", "$123457", ""},
        {"5", "", "$0", ""},
    };
    for (int row = 0; row < 11; ++row)
        EXPECT_EQ(shownRow(table, row, 4), expected[row]) << "pivot row " << row;
    EXPECT_EQ(table.cell(10, 2), QJsonValue(QJsonObject{{QStringLiteral("money"), 0.0005}}));  // the amount as held
}

// 20,000 pivot columns: 16,383 beside the Round column of the first sheet, the rest on a second one.
TEST_F(WorkbookFile, WidePivotGoesOnOverSheetsEachWithTheRoundColumn) {
    constexpr int kColumns = 20000;
    std::vector<PivotColumn> columns;
    std::vector<std::vector<std::pair<int, qint64>>> sums(2);
    std::map<int, qint64> expectedCents[2];
    for (int c = 0; c < kColumns; ++c) {
        columns.push_back({QStringLiteral("M%1").arg(c, 5, 10, QLatin1Char('0')), QStringLiteral("A"), 0,
                           QStringLiteral("Name"), QStringLiteral("Bidder"), c % 9 + 1});
        if (c % 3 == 0) {
            sums[0].push_back({c, qint64(c) * 10000 + 1234});
            expectedCents[0][c] = qint64(c) * 100 + 12;
        }
    }
    for (int c : {16382, 16383, 19999}) {
        sums[1].push_back({c, 7000000});
        expectedCents[1][c] = 70000;
    }
    analysis::AnalysisResult result;
    result.pivot = pivot(false, {3, 7}, columns, sums);
    const QString path = dir.path(QStringLiteral("wide.xlsx"));
    const auto written = analysis::writeWorkbook(path, result);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->pivotSheets, 2);
    const auto sheets = read(path);
    if (!sheets)
        GTEST_SKIP() << "python3 with openpyxl is missing";
    ASSERT_EQ(titles(*sheets), (QStringList{"Sheet1", "PivotTable1", "PivotTable1 (2)"}));

    const QStringList labels{"Sum of Net Bid Amount", "Market", "Block", "Submarket", "Market Name", "Bidder",
                             "Increments of Bid",     "Round",  "3",     "7"};
    std::map<int, qint64> foundCents[2];
    for (int s = 0; s < 2; ++s) {
        const Sheet &sheet = (*sheets)[std::size_t(s) + 1];
        ASSERT_EQ(sheet.rows.size(), 10u);
        for (int row = 0; row < 10; ++row)
            EXPECT_EQ(shown(sheet.cell(row, 0)), labels[row]) << sheet.title << " row " << row;
        const int first = s * 16383;
        const std::size_t width = s == 0 ? 16384u : std::size_t(kColumns - 16383 + 1);
        EXPECT_EQ(sheet.rows[1].size(), width);
        EXPECT_EQ(shown(sheet.cell(1, 1)), QStringLiteral("M%1").arg(first, 5, 10, QLatin1Char('0')));
        EXPECT_EQ(shown(sheet.cell(6, 1)), QString::number(first % 9 + 1));
        for (int r = 0; r < 2; ++r)
            for (std::size_t c = 1; c < sheet.rows[std::size_t(8 + r)].size(); ++c)
                if (const auto cents = moneyCents(sheet.rows[std::size_t(8 + r)][c]))
                    foundCents[r][first + int(c) - 1] = *cents;
    }
    EXPECT_EQ(foundCents[0], expectedCents[0]);
    EXPECT_EQ(foundCents[1], expectedCents[1]);
}

TEST_F(WorkbookFile, DataSetBeyondASheetsRowsGoesOnWithItsHeader) {
    analysis::AnalysisResult result;
    std::vector<std::vector<QVariant>> rows;
    for (int i = 1; i <= 5; ++i)
        rows.push_back({11, i, QStringLiteral("L%1").arg(i), QVariant(), QVariant(), 0, QVariant(), QVariant(), 1,
                        qint64(i) * 10000, qint64(i) * 10000});
    result.dataSet = dataSet(rows);
    const QString path = dir.path(QStringLiteral("long.xlsx"));
    const auto written = analysis::writeWorkbookFile(path, result, {}, {3, analysis::kSheetColumns});
    ASSERT_TRUE(written);
    EXPECT_EQ(written->dataSheets, 3);
    const auto sheets = read(path);
    if (!sheets)
        GTEST_SKIP() << "python3 with openpyxl is missing";
    ASSERT_EQ(titles(*sheets), (QStringList{"Sheet1", "Sheet1 (2)", "Sheet1 (3)", "PivotTable1"}));
    QStringList licenses;
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(shownRow((*sheets)[s], 0, 11), analysis::dataSetColumnNames());
        for (std::size_t row = 1; row < (*sheets)[s].rows.size(); ++row)
            licenses << shown((*sheets)[s].cell(int(row), 2));
    }
    EXPECT_EQ(licenses, (QStringList{"L1", "L2", "L3", "L4", "L5"}));
}

TEST_F(WorkbookFile, FailureLeavesNoFileAndTheTargetAsItWas) {
    // A folder that cannot hold the file.
    try {
        analysis::writeWorkbook(dir.path(QStringLiteral("missing/analysis.xlsx")), sample());
        ADD_FAILURE() << "a missing folder was written to";
    } catch (const db::Error &error) {
        EXPECT_EQ(error.number(), 75);
        EXPECT_TRUE(error.description().startsWith(QLatin1String("Path/File access error"))) << error.description();
    }
    EXPECT_TRUE(filesHere().isEmpty());

    // A write the library refuses part way (a row wider than a sheet), over an existing file.
    const QString path = dir.path(QStringLiteral("kept.xlsx"));
    exporttest::writeFile(path, "old contents");
    std::vector<PivotColumn> columns(analysis::kSheetColumns + 10,
                                     PivotColumn{QStringLiteral("M"), QVariant(), 0, QVariant(), QVariant(), 1});
    analysis::AnalysisResult wide = sample();
    wide.pivot = pivot(true, {1}, columns, {{{0, 10000}}});
    EXPECT_THROW(analysis::writeWorkbookFile(path, wide, {}, {analysis::kSheetRows, analysis::kSheetColumns + 100}),
                 db::Error);
    EXPECT_EQ(exporttest::fileBytes(path), QByteArray("old contents"));

    // A target that is a folder: the rename fails.
    QDir(dir.path()).mkdir(QStringLiteral("folder.xlsx"));
    EXPECT_THROW(analysis::writeWorkbook(dir.path(QStringLiteral("folder.xlsx")), sample()), db::Error);
    EXPECT_EQ(filesHere(), QStringList{QStringLiteral("kept.xlsx")});  // no temporary file left beside it
}

TEST_F(WorkbookFile, ProgressCountsToTheTotalAndACancelLeavesNothing) {
    const QString path = dir.path(QStringLiteral("analysis.xlsx"));
    std::vector<std::pair<qint64, qint64>> reports;
    ASSERT_TRUE(analysis::writeWorkbook(path, sample(), [&](qint64 done, qint64 total) {
        reports.emplace_back(done, total);
        return true;
    }));
    ASSERT_GE(reports.size(), 2u);
    EXPECT_EQ(reports.front(), std::make_pair(qint64(0), qint64(2 + 8 + 3)));  // data rows, pivot header and rounds
    EXPECT_EQ(reports.back(), std::make_pair(qint64(13), qint64(13)));

    exporttest::writeFile(path, "old contents");
    for (int stopAt : {1, 2}) {  // at the first report, and at the last one when the rows are written
        int calls = 0;
        const auto written = analysis::writeWorkbook(path, sample(), [&](qint64, qint64) { return ++calls < stopAt; });
        EXPECT_FALSE(written) << "stopped at report " << stopAt;
        EXPECT_EQ(exporttest::fileBytes(path), QByteArray("old contents"));
        EXPECT_EQ(filesHere(), QStringList{QStringLiteral("analysis.xlsx")});
    }
}

TEST(WorkbookSheetNames, CountFromZero) {
    EXPECT_EQ(analysis::dataSheetName(0), QStringLiteral("Sheet1"));
    EXPECT_EQ(analysis::dataSheetName(1), QStringLiteral("Sheet1 (2)"));
    EXPECT_EQ(analysis::pivotSheetName(0), QStringLiteral("PivotTable1"));
    EXPECT_EQ(analysis::pivotSheetName(2), QStringLiteral("PivotTable1 (3)"));
}

}  // namespace
