#include "print/SummaryPage.h"

#include "db/Error.h"
#include "print/GridPagePainter.h"
#include "print/PdfOutput.h"
#include "summary/SummarySheet.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace print {

namespace {

constexpr int kFontSize = 10;       // points, as a pixel size under the points transform
constexpr double kRowHeight = 18;   // points
constexpr double kPadding = 6;      // left and right of a cell's text
constexpr int kFiguresPerColumn = 10;
constexpr int kPdfResolution = 600;

QFont sheetFont(bool bold = false) {
    QFont font = cellFont(bold);
    font.setPixelSize(kFontSize);
    return font;
}

double widest(const QFontMetricsF &metrics, const QStringList &texts, qsizetype first, qsizetype count) {
    double width = 0;
    for (qsizetype i = first; i < std::min(first + count, texts.size()); ++i)
        width = std::max(width, metrics.horizontalAdvance(texts[i]));
    return width + 2 * kPadding;
}

// The x of the sheet's five columns and the right edge: labels, figures, headings, labels, figures. The headings'
// column (empty below its two rows) gives way first when the sheet is wider than the room up to right.
std::vector<double> columnEdges(const SummarySheetText &sheet, double left, double right) {
    const QFontMetricsF metrics(sheetFont());
    const QFontMetricsF bold(sheetFont(true));
    const double figure = std::max(metrics.horizontalAdvance(QStringLiteral("$888,888,888")) + 2 * kPadding,
                                   widest(metrics, sheet.figures, 0, sheet.figures.size()));
    const double labels1 = widest(metrics, sheet.labels, 0, kFiguresPerColumn);
    const double labels2 = widest(metrics, sheet.labels, kFiguresPerColumn, kFiguresPerColumn);
    const double heading = std::max(bold.horizontalAdvance(sheet.auctionHeading),
                                    bold.horizontalAdvance(sheet.roundHeading)) + 2 * kPadding;
    const double room = right - left - labels1 - labels2 - 2 * figure;
    const double widths[] = {labels1, figure, std::clamp(room, 2 * kPadding, heading), labels2, figure};
    std::vector<double> edges{left};
    for (const double width : widths)
        edges.push_back(edges.back() + width);
    return edges;
}

void drawText(QPainter &painter, double left, double right, double top, const QString &text,
              Qt::Alignment alignment) {
    painter.drawText(QRectF(left + kPadding, top, right - left - 2 * kPadding, kRowHeight),
                     int(alignment | Qt::AlignVCenter), text);
}

}  // namespace

SummarySheetText summarySheetText(const summary::RoundFigures &figures, std::optional<qint64> auction,
                                  const QLocale &locale) {
    return {summary::auctionHeading(auction), summary::roundHeading(figures.round), summary::figureLabels(),
            summary::figureTexts(figures, locale)};
}

PrintSettings summaryPrintSettings() {
    PrintSettings settings;
    settings.orientation = kPortrait;
    settings.marginLeft = 700;
    settings.marginTop = 1440;
    return settings;
}

QPageLayout summaryPageLayout(const PrintSettings &settings, const QPageSize &paper) {
    return QPageLayout(paper,
                       settings.orientation == kPortrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

void paintSummaryPage(QPainter &painter, const SummarySheetText &sheet, const PrintSettings &settings,
                      const QPageSize &paper) {
    const double pointsPerTwip = 72.0 / kTwipsPerInch;
    const double left = settings.marginLeft * pointsPerTwip;
    const double top = settings.marginTop * pointsPerTwip;
    const QPageLayout page = summaryPageLayout(settings, paper);
    const double right = page.fullRect(QPageLayout::Point).width() - settings.marginRight * pointsPerTwip;
    const std::vector<double> x = columnEdges(sheet, left, right);
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(sheetFont(true));
    drawText(painter, x[2], x[3], top, sheet.auctionHeading, Qt::AlignHCenter);
    drawText(painter, x[2], x[3], top + kRowHeight, sheet.roundHeading, Qt::AlignHCenter);
    painter.setFont(sheetFont());
    for (int i = 0; i < kFiguresPerColumn; ++i) {
        const double y = top + (2 + i) * kRowHeight;
        for (const int half : {0, 1}) {
            const int index = half * kFiguresPerColumn + i;
            const int column = half * 3;  // labels in the sheet's first and fourth columns
            if (index < sheet.labels.size())
                drawText(painter, x[column], x[column + 1], y, sheet.labels[index], Qt::AlignLeft);
            if (index < sheet.figures.size())
                drawText(painter, x[column + 1], x[column + 2], y, sheet.figures[index], Qt::AlignRight);
        }
    }
    painter.restore();
}

void writeSummaryPdf(const SummarySheetText &sheet, const QString &target) {
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        throw pdfWriteError(target, file.errorString());
    const PrintSettings settings = summaryPrintSettings();
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(summaryPageLayout(settings));
        writer.setCreator(QStringLiteral("Lotwise"));
        writer.setTitle(QStringLiteral("Round Summary - ") + sheet.roundHeading);
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            throw db::Error(kPrinterError, QStringLiteral("The PDF could not be started."));
        }
        painter.setTransform(pointsToDevice(writer));
        paintSummaryPage(painter, sheet, settings);
        painter.end();
    }
    commitPdf(file, target);
}

}  // namespace print
