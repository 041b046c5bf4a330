// All Bids of auction 11 (102 bids over 12 rounds) printed to PDF through the row source, the layout and the
// PDF writer, and read back page by page.
#include "db/Error.h"
#include "grid/CellText.h"
#include "print/GridPagePainter.h"
#include "print/GridRowSource.h"
#include "print/PdfOutput.h"
#include "print/PdfReadBack.h"
#include "support/AuctionFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <ctime>

#include <gtest/gtest.h>

namespace {

using namespace printtest;

const QString kAllBids = QStringLiteral("SELECT * FROM [All Bids] ORDER BY [Round], [License Name]");

class PrintPdf : public testsupport::SharedAuction {
protected:
    static void SetUpTestSuite() { buildShared(QStringLiteral("auction-11"), 12); }

    // The layout of All Bids with the widths measured from its first rows.
    print::GridPageLayout layoutOf(print::GridRowSource &source, print::PageBreaks breaks = {}, int orientation = 2) {
        print::LayoutInput input;
        input.headings = source.headings();
        input.widths = print::measuredWidths(input.headings, source.rows(0, 100));
        input.rowCount = source.rowCount();
        input.breaks = std::move(breaks);
        input.settings.orientation = orientation;
        input.footer = {QStringLiteral("All Bids"), {}};
        return print::GridPageLayout(input);
    }

    testsupport::ScratchDir dir;
};

bool hasRowNumbered(const QString &page, int row) {
    const QString start = QString::number(row) + u' ';
    for (const QString &line : textLines(page))
        if (line.startsWith(start))
            return true;
    return false;
}

// The row number a page's first data row starts with (the line after the headings).
int firstRowNumber(const QString &page) {
    const QStringList lines = textLines(page);
    return lines.size() > 1 ? lines[1].section(u' ', 0, 0).toInt() : -1;
}

TEST_F(PrintPdf, EveryPageHasHeadingsFooterAndEveryRow) {
    REQUIRE_PDF_TOOLS();
    print::GridRowSource source(auction, kAllBids);
    ASSERT_EQ(source.rowCount(), 102);
    const print::GridPageLayout layout = layoutOf(source);
    const QString target = dir.path(QStringLiteral("bids.pdf"));
    ASSERT_TRUE(print::writePdf(layout, source, target));
    EXPECT_EQ(pdfFacts(target).pages, layout.pageCount());
    EXPECT_EQ(pdfFacts(target).pageSize, QSizeF(792, 612));
    const QStringList pages = pageTexts(target);
    ASSERT_EQ(pages.size(), layout.pageCount());
    int rowsSeen = 0;
    for (int p = 0; p < pages.size(); ++p) {
        const print::PageBand band = layout.page(p);
        const QString heading = layout.input().headings[band.firstColumn];
        EXPECT_TRUE(textLines(pages[p]).front().startsWith(heading)) << "page " << p + 1;
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size()))) << p + 1;
        EXPECT_TRUE(pages[p].contains(QStringLiteral("All Bids"))) << p + 1;
        EXPECT_EQ(firstRowNumber(pages[p]), band.firstRow + 1) << "page " << p + 1;
        if (band.firstColumn == 0)
            rowsSeen += band.rowCount;
    }
    EXPECT_EQ(rowsSeen, 102);
    EXPECT_TRUE(hasRowNumbered(pages[layout.rowBandCount() - 1], 102));
}

TEST_F(PrintPdf, RowAndColumnBreaksStartPages) {
    REQUIRE_PDF_TOOLS();
    print::GridRowSource source(auction, kAllBids);
    const print::GridPageLayout layout = layoutOf(source, {{40}, {3}});
    const QString target = dir.path(QStringLiteral("breaks.pdf"));
    ASSERT_TRUE(print::writePdf(layout, source, target));
    const QStringList pages = pageTexts(target);
    ASSERT_EQ(pages.size(), layout.pageCount());
    ASSERT_GE(layout.columnBandCount(), 2);
    EXPECT_EQ(firstRowNumber(pages[0]), 1);
    EXPECT_EQ(firstRowNumber(pages[1]), 40);  // row 40 starts the second page
    EXPECT_TRUE(hasRowNumbered(pages[0], 39));
    EXPECT_FALSE(hasRowNumbered(pages[0], 40));
    // The first column band holds columns 1 and 2; column 3 starts the next band.
    const QStringList headings = source.headings();
    EXPECT_TRUE(textLines(pages[0]).front().contains(headings[1]));
    EXPECT_FALSE(textLines(pages[0]).front().contains(headings[2]));
    EXPECT_TRUE(textLines(pages[layout.rowBandCount()]).front().startsWith(headings[2]));
}

TEST_F(PrintPdf, PortraitPagesHoldMoreRows) {
    REQUIRE_PDF_TOOLS();
    print::GridRowSource source(auction, kAllBids);
    const print::GridPageLayout landscape = layoutOf(source);
    const print::GridPageLayout portrait = layoutOf(source, {}, print::kPortrait);
    EXPECT_EQ(landscape.rowBandCount(), 3);  // 42 rows to a page
    EXPECT_EQ(portrait.rowBandCount(), 2);   // 57 rows to a page
    EXPECT_GE(portrait.columnBandCount(), landscape.columnBandCount());
    const QString target = dir.path(QStringLiteral("portrait.pdf"));
    ASSERT_TRUE(print::writePdf(portrait, source, target));
    EXPECT_EQ(pdfFacts(target).pageSize, QSizeF(612, 792));
    EXPECT_EQ(pdfFacts(target).pages, portrait.pageCount());
}

TEST_F(PrintPdf, FailureAndCancelLeaveNoFile) {
    print::GridRowSource source(auction, kAllBids);
    const print::GridPageLayout layout = layoutOf(source);
    // A folder that does not exist.
    const QString missing = dir.path(QStringLiteral("no such folder/bids.pdf"));
    EXPECT_THROW(print::writePdf(layout, source, missing), db::Error);
    EXPECT_FALSE(QFileInfo::exists(missing));
    // Cancelled on the second page: an earlier file of that name stays as it was, and nothing else is left.
    const QString target = dir.path(QStringLiteral("kept.pdf"));
    QFile earlier(target);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    int calls = 0;
    EXPECT_FALSE(print::writePdf(layout, source, target, [&](int done, int total) {
        EXPECT_EQ(total, layout.pageCount());
        ++calls;
        return done < 2;
    }));
    EXPECT_EQ(calls, 2);
    QFile kept(target);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("earlier"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.pdf")});
}

TEST_F(PrintPdf, PageRangeWritesThosePagesNumberedAsInTheWhole) {
    REQUIRE_PDF_TOOLS();
    print::GridRowSource source(auction, kAllBids);
    const print::GridPageLayout layout = layoutOf(source);
    const QString target = dir.path(QStringLiteral("range.pdf"));
    ASSERT_TRUE(print::writePdf(layout, source, target, {}, {1, 2}));
    const QStringList pages = pageTexts(target);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Page 2 of %1").arg(layout.pageCount())));
    EXPECT_EQ(firstRowNumber(pages[0]), layout.page(1).firstRow + 1);
}

TEST_F(PrintPdf, SourceReadsAnyBandInOrderOrNot) {
    print::GridRowSource source(auction, kAllBids);
    const auto tail = source.rows(100, 10);
    ASSERT_EQ(tail.size(), 2u);
    const auto first = source.rows(0, 3);
    const auto again = source.rows(0, 1);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0][0].text, again[0][0].text);
    const auto next = source.rows(3, 2);  // continues the running statement
    ASSERT_EQ(next.size(), 2u);
    // Currency as the grid shows it: two decimals, to the right.
    const int gross = int(source.headings().indexOf(QStringLiteral("Gross Bid Amount")));
    ASSERT_GE(gross, 0);
    EXPECT_TRUE(first[0][std::size_t(gross)].text.endsWith(QStringLiteral(".00")));
    EXPECT_TRUE(first[0][std::size_t(gross)].number);
    // Dates in the locale's short form, the stored wall-clock time whatever the zone.
    const int when = int(source.headings().indexOf(QStringLiteral("Bid Date Time")));
    ASSERT_GE(when, 0);
    const QLocale locale;
    const QString expected = locale.toString(QDate(2006, 8, 24), QLocale::ShortFormat) + u' ' +
                             locale.toString(QTime(10, 18, 39), QLocale::ShortFormat);  // a bid of round 1
    int found = 0;
    for (const print::PrintRow &row : source.rows(0, 102))
        found += row[std::size_t(when)].text == expected ? 1 : 0;
    EXPECT_EQ(found, 1);
}

}  // namespace

namespace {

// A stored time is a wall-clock time: one that falls in a daylight-saving gap of the machine's zone prints as stored.
TEST(PrintedDates, WallClockTimeInADaylightSavingGap) {
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "America/New_York");
    tzset();
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const QString text =
        grid::cellText(QStringLiteral("2006-04-02 02:30:00"), db::ColumnType::DateTime, locale);
    if (zone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", zone);
    tzset();
    EXPECT_EQ(text, locale.toString(QDate(2006, 4, 2), QLocale::ShortFormat) + u' ' +
                        locale.toString(QTime(2, 30), QLocale::ShortFormat));
}

}  // namespace
