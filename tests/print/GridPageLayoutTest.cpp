// The page layout from counts and widths alone: bands, breaks, orientation, margins that leave no room.
#include "db/Error.h"
#include "print/GridPageLayout.h"

#include <gtest/gtest.h>

namespace {

using print::GridPageLayout;
using print::LayoutInput;

// Ten columns of 100 points on Letter with a new window's settings: 42 rows and 6 columns to a landscape page.
LayoutInput tenColumns(qint64 rows) {
    LayoutInput input;
    for (int c = 1; c <= 10; ++c) {
        input.headings << QStringLiteral("Column %1").arg(c);
        input.widths.push_back(100);
    }
    input.rowCount = rows;
    input.footer = {QStringLiteral("All Bids"), QStringLiteral("3")};
    return input;
}

std::vector<qint64> firstRowsOfColumnBand(const GridPageLayout &layout, int columnBand) {
    std::vector<qint64> rows;
    for (int r = 0; r < layout.rowBandCount(); ++r)
        rows.push_back(layout.page(columnBand * layout.rowBandCount() + r).firstRow);
    return rows;
}

TEST(GridPageLayout, SheetWithoutBreaksGoesDownThenAcross) {
    const GridPageLayout layout(tenColumns(100));
    EXPECT_EQ(layout.rowsPerPage(), 42);
    ASSERT_EQ(layout.pageCount(), 6);  // 3 row bands x 2 column bands
    EXPECT_EQ(firstRowsOfColumnBand(layout, 0), (std::vector<qint64>{0, 42, 84}));
    EXPECT_EQ(layout.page(2).rowCount, 16);
    EXPECT_EQ(layout.page(0).firstColumn, 0);
    EXPECT_EQ(layout.page(0).columnCount, 6);
    EXPECT_EQ(layout.page(3).firstRow, 0);
    EXPECT_EQ(layout.page(3).firstColumn, 6);
    EXPECT_EQ(layout.page(3).columnCount, 4);
    EXPECT_EQ(layout.input().footer.text(), QStringLiteral("All Bids - Round 3"));
}

TEST(GridPageLayout, FlaggedRowsAndColumnsStartPagesWithoutBlankOnes) {
    LayoutInput input = tenColumns(100);
    input.breaks.rows = {1, 40, 41, 500};  // row 1 already starts a page; 500 is past the end
    input.breaks.columns = {3};
    const GridPageLayout layout(input);
    // Rows: 1-39, 40, 41-82, 83-100; columns: 1-2, 3-8, 9-10.
    EXPECT_EQ(firstRowsOfColumnBand(layout, 0), (std::vector<qint64>{0, 39, 40, 82}));
    ASSERT_EQ(layout.columnBandCount(), 3);
    EXPECT_EQ(layout.page(4).firstColumn, 2);
    EXPECT_EQ(layout.page(4).columnCount, 6);
    EXPECT_EQ(layout.page(8).firstColumn, 8);
    EXPECT_EQ(layout.pageCount(), 12);
    for (int p = 0; p < layout.pageCount(); ++p)
        EXPECT_GT(layout.page(p).rowCount, 0) << "page " << p;
}

TEST(GridPageLayout, EmptyTableAndWideColumnStillPrint) {
    LayoutInput input = tenColumns(0);
    input.widths[1] = 5000;  // wider than the page: a page of its own, cut at the margin
    const GridPageLayout layout(input);
    EXPECT_EQ(layout.rowBandCount(), 1);
    EXPECT_EQ(layout.page(0).rowCount, 0);
    EXPECT_EQ(layout.page(1).firstColumn, 1);
    EXPECT_EQ(layout.page(1).columnCount, 1);
    EXPECT_LE(layout.rowNumberWidth() + layout.columnWidth(1), layout.printableRect().width());
}

TEST(GridPageLayout, OrientationOtherThanPortraitPrintsLandscape) {
    LayoutInput input = tenColumns(1000);
    for (const int orientation : {0, 2, 3, -1}) {
        input.settings.orientation = orientation;
        const GridPageLayout layout(input);
        EXPECT_EQ(layout.orientation(), QPageLayout::Landscape) << orientation;
        EXPECT_DOUBLE_EQ(layout.paperRect().width(), 792);
    }
    input.settings.orientation = print::kPortrait;
    const GridPageLayout portrait(input);
    EXPECT_DOUBLE_EQ(portrait.paperRect().width(), 612);
    EXPECT_EQ(portrait.rowsPerPage(), 57);  // (792 - 72 - 30) / 12
    EXPECT_EQ(portrait.pageLayout().orientation(), QPageLayout::Portrait);
}

TEST(GridPageLayout, MarginsLeavingNoRoomAreRefused) {
    LayoutInput input = tenColumns(10);
    input.settings.marginTop = input.settings.marginBottom = 9.99 * print::kTwipsPerInch / 2;
    try {
        GridPageLayout layout(input);
        FAIL() << "accepted margins leaving no room for a row";
    } catch (const db::Error &error) {
        EXPECT_EQ(error.number(), print::kPrinterError);
        EXPECT_TRUE(error.description().startsWith(QStringLiteral("The margins leave no room on the page"))) <<
            error.description().toStdString();
    }
    input = tenColumns(10);
    input.settings.marginLeft = input.settings.marginRight = 5.4 * print::kTwipsPerInch;
    EXPECT_THROW(GridPageLayout{input}, db::Error);
    // Just room enough for one row: accepted.
    input = tenColumns(10);
    input.settings.marginTop = 0;
    input.settings.marginBottom = (612 - 14 - 16 - 12) * 20;
    EXPECT_EQ(GridPageLayout(input).rowsPerPage(), 1);
}

TEST(GridPageLayout, MillionRowsAreLaidOutFromTheCount) {
    LayoutInput input = tenColumns(1000000);
    input.breaks.rows = {500001};
    const GridPageLayout layout(input);
    const int bands = 500000 / 42 + 1 + 500000 / 42 + 1;
    EXPECT_EQ(layout.rowBandCount(), bands);
    EXPECT_EQ(layout.page(500000 / 42 + 1).firstRow, 500000);
    const print::PageBand last = layout.page(layout.rowBandCount() - 1);
    EXPECT_EQ(last.firstRow + last.rowCount, 1000000);
}

}  // namespace
