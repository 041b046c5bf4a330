// What the summary sheet shows of one round: the twenty labels in the order the figures are written (column one
// of the sheet, rows 3 to 12, then column two), and each figure's text: money as "$###,###,###,##0", counts as
// "###,###,###,##0", the other figures as the grid shows a stored value. A figure that could not be read shows
// empty text.
//
// Pure functions; safe from any thread.
#pragma once

#include "summary/RoundFigures.h"

#include <QLocale>
#include <QString>
#include <QStringList>

namespace summary {

inline constexpr int kFigureCount = 20;

// How a figure is shown.
enum class FigureFormat { AsStored, Money, Count };

// The labels, in the order of the figures.
const QStringList &figureLabels();
FigureFormat figureFormat(int index);

// One figure as a variant: StoredValue's value, money in ten-thousandths, a count; null when empty.
QVariant figureValue(const RoundFigures &figures, int index);
// The stored value's column type (AsStored figures), else Unknown.
db::ColumnType figureType(const RoundFigures &figures, int index);

// The texts of the twenty figures, in the order of figureLabels(). Dates and decimal points follow locale.
QStringList figureTexts(const RoundFigures &figures, const QLocale &locale);

// The headings of the sheet's third column.
QString auctionHeading(std::optional<qint64> auction);
QString roundHeading(qint64 round);

}  // namespace summary
