#include "print/GridPagePainter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace print {

namespace {

using M = LayoutMetrics;

constexpr double kMinMeasuredWidth = 24;

// The x of each of the page's columns, and the right edge after the last one.
std::vector<double> columnEdges(const GridPageLayout &layout, const PageBand &band) {
    std::vector<double> edges;
    double x = layout.printableRect().left() + layout.rowNumberWidth();
    edges.push_back(x);
    for (int c = 0; c < band.columnCount; ++c) {
        x += layout.columnWidth(band.firstColumn + c);
        edges.push_back(std::min(x, layout.printableRect().right()));
    }
    return edges;
}

// The widths of texts in one font, ASCII ones from a table of advances (shaping every cell twice, to measure and
// to draw, would double the time of a large print); others measured in full.
class TextWidths {
public:
    explicit TextWidths(const QFont &font) : metrics_(font) {
        for (int c = 0; c < 128; ++c)
            ascii_[c] = metrics_.horizontalAdvance(QChar(c));
    }
    const QFontMetricsF &metrics() const { return metrics_; }
    double width(const QString &text) const {
        double sum = 0;
        for (const QChar c : text) {
            if (c.unicode() >= 128)
                return metrics_.horizontalAdvance(text);
            sum += ascii_[c.unicode()];
        }
        return sum;
    }

private:
    QFontMetricsF metrics_;
    double ascii_[128] = {};
};

// One line of text in a cell, cut to fit, left or right aligned, on the cell's baseline.
void drawCell(QPainter &painter, const TextWidths &widths, double left, double right, double top, double height,
              const QString &text, bool alignRight) {
    const double room = right - left - 2 * M::padding;
    if (text.isEmpty() || room <= 0)
        return;
    const QFontMetricsF &metrics = widths.metrics();
    QString shown = text;
    double width = widths.width(text);
    if (width > room) {  // cut, and then from the left whatever the alignment
        shown = metrics.elidedText(text, Qt::ElideRight, room);
        alignRight = false;
    }
    const double x = alignRight ? right - M::padding - width : left + M::padding;
    const double baseline = top + (height + metrics.ascent() - metrics.descent()) / 2;
    painter.drawText(QPointF(x, baseline), shown);
}

void drawGridLines(QPainter &painter, const GridPageLayout &layout, const std::vector<double> &edges, double top,
                   int rows) {
    const double left = layout.printableRect().left();
    const double right = edges.back();
    const double bottom = top + M::headingHeight + rows * M::rowHeight;
    painter.setPen(QPen(Qt::black, 0.5));
    painter.drawLine(QPointF(left, top), QPointF(right, top));
    for (int r = 0; r <= rows; ++r) {
        const double y = top + M::headingHeight + r * M::rowHeight;
        painter.drawLine(QPointF(left, y), QPointF(right, y));
    }
    painter.drawLine(QPointF(left, top), QPointF(left, bottom));
    for (const double x : edges)
        painter.drawLine(QPointF(x, top), QPointF(x, bottom));
}

void drawHeadings(QPainter &painter, const GridPageLayout &layout, const PageBand &band,
                  const std::vector<double> &edges, double top) {
    painter.fillRect(QRectF(QPointF(layout.printableRect().left(), top), QPointF(edges.back(), top + M::headingHeight)),
                     QColor(230, 230, 230));
    const QFont bold = cellFont(true);
    painter.setFont(bold);
    const TextWidths metrics(bold);
    for (int c = 0; c < band.columnCount; ++c)
        drawCell(painter, metrics, edges[std::size_t(c)], edges[std::size_t(c) + 1], top, M::headingHeight,
                 layout.input().headings[band.firstColumn + c], false);
}

void drawRows(QPainter &painter, const GridPageLayout &layout, const PageBand &band, const std::vector<double> &edges,
              double top, const std::vector<PrintRow> &rows) {
    const QFont font = cellFont();
    painter.setFont(font);
    const TextWidths metrics(font);
    const double left = layout.printableRect().left();
    for (int r = 0; r < band.rowCount && r < int(rows.size()); ++r) {
        const double y = top + M::headingHeight + r * M::rowHeight;
        drawCell(painter, metrics, left, edges.front(), y, M::rowHeight, QString::number(band.firstRow + r + 1), true);
        const PrintRow &row = rows[std::size_t(r)];
        for (int c = 0; c < band.columnCount && band.firstColumn + c < int(row.size()); ++c) {
            const PrintCell &cell = row[std::size_t(band.firstColumn + c)];
            drawCell(painter, metrics, edges[std::size_t(c)], edges[std::size_t(c) + 1], y, M::rowHeight, cell.text,
                     cell.number);
        }
    }
}

void drawFooter(QPainter &painter, const GridPageLayout &layout, int index) {
    const QRectF area = layout.printableRect();
    const QFont font = cellFont();
    painter.setFont(font);
    const TextWidths metrics(font);
    const double top = area.bottom() - M::footerHeight;
    const double half = area.left() + area.width() / 2;
    drawCell(painter, metrics, area.left(), half, top, M::footerHeight, layout.input().footer.text(), false);
    drawCell(painter, metrics, half, area.right(), top, M::footerHeight,
             QStringLiteral("Page %1 of %2").arg(index + 1).arg(layout.pageCount()), true);
}

}  // namespace

QTransform pointsToDevice(const QPaintDevice &device) {
    return QTransform::fromScale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
}

QFont cellFont(bool bold) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(int(M::fontSize));
    font.setBold(bold);
    return font;
}

std::vector<double> measuredWidths(const QStringList &headings, const std::vector<PrintRow> &sample) {
    const QFontMetricsF plain(cellFont());
    const QFontMetricsF bold(cellFont(true));
    std::vector<double> widths;
    for (int c = 0; c < headings.size(); ++c) {
        double widest = bold.horizontalAdvance(headings[c]);
        for (const PrintRow &row : sample)
            if (c < int(row.size()))
                widest = std::max(widest, plain.horizontalAdvance(row[std::size_t(c)].text));
        widths.push_back(std::max(kMinMeasuredWidth, std::ceil(widest) + 2 * M::padding + 2));
    }
    return widths;
}

void paintPage(QPainter &painter, const GridPageLayout &layout, int index, const std::vector<PrintRow> &rows) {
    const PageBand band = layout.page(index);
    const std::vector<double> edges = columnEdges(layout, band);
    const double top = layout.printableRect().top();
    painter.save();
    painter.setClipRect(layout.printableRect());
    drawHeadings(painter, layout, band, edges, top);
    drawRows(painter, layout, band, edges, top, rows);
    drawGridLines(painter, layout, edges, top, std::min(band.rowCount, int(rows.size())));
    drawFooter(painter, layout, index);
    painter.restore();
}

void paintPage(QPainter &painter, const GridPageLayout &layout, int index, GridRowSource &source) {
    const PageBand band = layout.page(index);
    paintPage(painter, layout, index, source.rows(band.firstRow, band.rowCount));
}

}  // namespace print
