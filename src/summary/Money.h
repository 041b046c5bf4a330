// Amounts of money held exactly: whole ten-thousandths of a dollar in a 64-bit integer, so that sums and
// differences of amounts never pick up the errors of binary fractions.
//
// Pure functions; safe from any thread.
#pragma once

#include <QString>
#include <QVariant>

#include <optional>

namespace summary {

inline constexpr qint64 kMoneyUnitsPerDollar = 10000;

// A stored amount in ten-thousandths: an integer as whole dollars, a REAL rounded to the nearest ten-thousandth
// (half away from zero), decimal text read digit by digit. Null, other text, a value out of range: nothing.
std::optional<qint64> moneyUnits(const QVariant &stored);

// a - b, or nothing when either is missing or the result does not fit.
std::optional<qint64> moneyDifference(std::optional<qint64> a, std::optional<qint64> b);

// Whole dollars, rounded half away from zero.
qint64 wholeDollars(qint64 units);
// Whole cents, rounded half away from zero.
qint64 wholeCents(qint64 units);

// "$###,###,###,##0": "$1,234", "-$1,234", "$0".
QString moneyText(qint64 units);
// "###,###,###,##0": "1,234", "-5", "0".
QString countText(qint64 value);

}  // namespace summary
