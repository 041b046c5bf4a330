// How wide a grid column is made before any of its rows is read: wide enough for the largest plausible value of
// its declared type (a Long of eight digits, currency in the billions, a date with its time) or, for
// text, for its declared size up to kMaxTextChars characters. Values beyond these widen their column when they
// arrive (SpreadGrid).
//
// Pure functions of the font and locale given; GUI thread (font metrics).
#pragma once

#include "db/Recordset.h"

#include <QFontMetrics>
#include <QLocale>

namespace grid {

inline constexpr int kMaxTextChars = 32;  // a wider text column is capped; its cells then elide their end

// The text of the widest plausible value of a numeric or date column, shown as the grid shows it; empty for
// text, binary and expression columns.
QString widestNumberText(const db::Field &field, const QLocale &locale);

// Pixels of text the column's type asks for (padding not included); 0 when the type does not tell (an
// expression column, whose width then comes from its rows).
int typeTextWidth(const db::Field &field, const QFontMetrics &metrics, const QLocale &locale);

}  // namespace grid
