#include "print/GridPageLayout.h"

#include "db/Error.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace print {

namespace {

constexpr double kTwipsPerPoint = 20;
constexpr double kDigitWidth = 5;  // a digit of the cell font, a little generously

double points(double twips) { return std::max(0.0, twips) / kTwipsPerPoint; }

QString inches(double pts) { return QString::number(pts / 72.0, 'f', 2); }

}  // namespace

QString PageFooter::text() const {
    return round.isEmpty() ? table : table + QStringLiteral(" - Round ") + round;
}

GridPageLayout::GridPageLayout(LayoutInput input) : input_(std::move(input)) {
    input_.widths.resize(std::size_t(input_.headings.size()), 72.0);
    input_.rowCount = std::max<qint64>(0, input_.rowCount);
    paper_ = QRectF(QPointF(0, 0), input_.paper.sizePoints());
    if (orientation() == QPageLayout::Landscape)
        paper_ = QRectF(0, 0, paper_.height(), paper_.width());
    const PrintSettings &s = input_.settings;
    printable_ = paper_.adjusted(points(s.marginLeft), points(s.marginTop), -points(s.marginRight),
                                 -points(s.marginBottom));
    const int digits = int(QString::number(std::max<qint64>(1, input_.rowCount)).size());
    rowNumberWidth_ = digits * kDigitWidth + 2 * LayoutMetrics::padding + 2;
    const double rowRoom = printable_.height() - LayoutMetrics::headingHeight - LayoutMetrics::footerHeight;
    rowsPerPage_ = rowRoom > 0 ? int(std::floor(rowRoom / LayoutMetrics::rowHeight)) : 0;
    const double columnRoom = printable_.width() - rowNumberWidth_;
    if (rowsPerPage_ < 1 || columnRoom < LayoutMetrics::minColumnWidth)
        throw db::Error(kPrinterError, QStringLiteral("The margins leave no room on the page: the paper is %1 x %2 "
                                                      "inches, and the margins leave %3 x %4 inches for the grid. "
                                                      "Make the margins smaller.")
                                           .arg(inches(paper_.width()), inches(paper_.height()),
                                                inches(std::max(0.0, printable_.width())),
                                                inches(std::max(0.0, printable_.height()))));
    makeColumnBands();
    makeRowBands();
}

QPageLayout::Orientation GridPageLayout::orientation() const {
    return input_.settings.orientation == kPortrait ? QPageLayout::Portrait : QPageLayout::Landscape;
}

QPageLayout GridPageLayout::pageLayout() const { return QPageLayout(input_.paper, orientation(), QMarginsF()); }

double GridPageLayout::columnWidth(int column) const {
    return std::clamp(input_.widths[std::size_t(column)], 0.0, printable_.width() - rowNumberWidth_);
}

void GridPageLayout::makeColumnBands() {
    const double room = printable_.width() - rowNumberWidth_;
    const int columns = int(input_.headings.size());
    int first = 0;
    double used = 0;
    for (int c = 0; c < columns; ++c) {
        const double width = columnWidth(c);
        if (c > first && (used + width > room || input_.breaks.columns.contains(c + 1))) {
            columnBands_.emplace_back(first, c - first);
            first = c;
            used = 0;
        }
        used += width;
    }
    columnBands_.emplace_back(first, columns - first);  // a sheet without columns still prints its row numbers
}

void GridPageLayout::makeRowBands() {
    const qint64 rows = input_.rowCount;
    qint64 first = 0;
    do {
        rowBands_.push_back(first);
        qint64 end = std::min(rows, first + rowsPerPage_);
        // The flags count rows from 1: row r flagged starts the band at index r - 1.
        const int flagged = PageBreaks::next(input_.breaks.rows, int(std::min<qint64>(first + 1, INT_MAX)));
        if (flagged > 0 && flagged - 1 < end)
            end = flagged - 1;
        first = end;
    } while (first < rows);
}

PageBand GridPageLayout::page(int index) const {
    const auto rowBand = std::size_t(index) % rowBands_.size();
    const auto columnBand = std::size_t(index) / rowBands_.size();
    PageBand band;
    band.firstRow = rowBands_[rowBand];
    const qint64 end = rowBand + 1 < rowBands_.size() ? rowBands_[rowBand + 1] : input_.rowCount;
    band.rowCount = int(end - band.firstRow);
    band.firstColumn = columnBands_[columnBand].first;
    band.columnCount = columnBands_[columnBand].second;
    return band;
}

}  // namespace print
