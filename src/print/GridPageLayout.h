// The printed pages of a grid: row bands x column bands, the same for printing, preview and PDF.
//
// Geometry is in points (1/72 inch) from the paper's top-left corner (QPageSize, the settings' orientation).
// Inside the margins each page holds, top to bottom, the column headings, the rows of its band, and a footer
// ("table - Round R" on the left, "Page N of M" on the right). The row numbers, as the grid numbers them from
// 1, are repeated in a column on the left of every page, and the headings at the top of every page.
//
// Columns that do not fit the width go on to further pages; pages are numbered down, then across, as
// spreadsheets print: every row band of the first column band, then every row band of the next. A flagged
// row (print::PageBreaks, numbered from 1) starts a new row band, a flagged column a new column band. A column
// wider than the page gets a page of its own and is cut at the right margin.
//
// pageCount() and page() come from the row count and the widths alone, without reading a row.
// Plain value; safe to copy and to use from any thread once built.
#pragma once

#include "print/PageBreaks.h"
#include "print/PrintSettings.h"

#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

namespace print {

// The error number of a page setup that cannot print (VB's "Printer error").
inline constexpr int kPrinterError = 482;

// The grid's pixels (96 to the inch) in points.
inline constexpr double kPointsPerPixel = 0.75;

struct PageFooter {
    QString table;
    QString round;  // empty for a table without rounds
    // "table - Round R", or the table alone.
    QString text() const;
};

struct LayoutInput {
    QStringList headings;
    // Points, one per heading: the grid's pixel widths times kPointsPerPixel, or measuredWidths() of
    // GridPagePainter.h; a missing width is an inch.
    std::vector<double> widths;
    qint64 rowCount = 0;
    PrintSettings settings;
    PageBreaks breaks;
    QPageSize paper = QPageSize(QPageSize::Letter);
    PageFooter footer;
};

// One page: its row band and its column band.
struct PageBand {
    qint64 firstRow = 0;  // 0-based
    int rowCount = 0;
    int firstColumn = 0;  // 0-based
    int columnCount = 0;
};

// Fixed metrics of the printed grid, in points.
struct LayoutMetrics {
    static constexpr double fontSize = 8;       // the cell font's pixel size in points
    static constexpr double rowHeight = 12;
    static constexpr double headingHeight = 14;
    static constexpr double footerHeight = 16;
    static constexpr double padding = 2;         // left and right of a cell's text
    static constexpr double minColumnWidth = 18;  // the least width a page must leave for a column
};

class GridPageLayout {
public:
    // Raises db::Error kPrinterError when the margins leave no room for the headings, one row and the footer
    // down the page, or for the row numbers and one column across it.
    explicit GridPageLayout(LayoutInput input);

    int pageCount() const { return int(rowBands_.size() * columnBands_.size()); }
    int rowBandCount() const { return int(rowBands_.size()); }
    int columnBandCount() const { return int(columnBands_.size()); }
    PageBand page(int index) const;  // 0 <= index < pageCount()
    int rowsPerPage() const { return rowsPerPage_; }

    const LayoutInput &input() const { return input_; }
    QPageLayout::Orientation orientation() const;
    // The page for QPdfWriter / QPrinter: the paper and orientation, no margins (the layout draws its own).
    QPageLayout pageLayout() const;
    QRectF paperRect() const { return paper_; }
    QRectF printableRect() const { return printable_; }
    double rowNumberWidth() const { return rowNumberWidth_; }
    // The width a column is drawn with: its own, at most the page's room for columns.
    double columnWidth(int column) const;

private:
    void makeColumnBands();
    void makeRowBands();

    LayoutInput input_;
    QRectF paper_;
    QRectF printable_;
    double rowNumberWidth_ = 0;
    int rowsPerPage_ = 0;
    std::vector<std::pair<int, int>> columnBands_;  // first column, count
    std::vector<qint64> rowBands_;                  // first row of each band
};

}  // namespace print
