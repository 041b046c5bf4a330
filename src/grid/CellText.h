// The text and alignment of one grid cell, decided by its column's declared type so that every row of a column
// looks alike: currency always with two decimals (rounded half away from zero, as VB's Format does), the rest as
// db::displayText shows it; numbers to the right.
//
// Pure functions; safe from any thread.
#pragma once

#include "common/ColumnType.h"

#include <QLocale>
#include <QString>
#include <QVariant>

namespace grid {

QString cellText(const QVariant &value, db::ColumnType type, const QLocale &locale);

// Whether a cell is a number: by its column's type, or by its value when the column has none (an expression).
bool isNumberCell(db::ColumnType type, const QVariant &value);

}  // namespace grid
