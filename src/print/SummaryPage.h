// The Round Summary's printed sheet: "Auction N" and "Round R" centred at the top, then the twenty labels and
// figures in two pairs of columns (rows 3 to 12 of the window's sheet), the figures as the window shows them.
// One page, portrait, left margin 700 twips and top margin 1440; right and bottom the sheet's own (720).
//
// Geometry is in points from the paper's top-left corner, as for GridPagePainter: a printer or PDF painter
// needs pointsToDevice() and a QPrinter setFullPage(true). Needs a QGuiApplication (fonts). Plain functions.
#pragma once

#include "print/PrintSettings.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <optional>

class QLocale;
class QPainter;

namespace summary {
struct RoundFigures;
}

namespace print {

// What the printed sheet shows.
struct SummarySheetText {
    QString auctionHeading;  // "Auction N"
    QString roundHeading;    // "Round R"
    QStringList labels;      // the twenty labels, in the order of summary::figureLabels()
    QStringList figures;     // their texts
};

SummarySheetText summarySheetText(const summary::RoundFigures &figures, std::optional<qint64> auction,
                                  const QLocale &locale);

// Portrait, left 700 twips, top 1440, right and bottom the defaults.
PrintSettings summaryPrintSettings();
// The paper and orientation, no margins (the page draws its own).
QPageLayout summaryPageLayout(const PrintSettings &settings, const QPageSize &paper = QPageSize(QPageSize::Letter));

// Paints the page on paper of the given size (its width bounds the sheet at the right margin).
void paintSummaryPage(QPainter &painter, const SummarySheetText &sheet, const PrintSettings &settings,
                      const QPageSize &paper = QPageSize(QPageSize::Letter));

// Writes the page to a PDF via a temporary file renamed over target when complete: a failure raises db::Error
// and leaves no file (and any earlier file of that name as it was).
void writeSummaryPdf(const SummarySheetText &sheet, const QString &target);

}  // namespace print
