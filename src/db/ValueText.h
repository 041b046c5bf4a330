// Values as plain text, for the command line and tab-separated output: dates as their ISO text, numbers as
// plain decimals without float noise (currency to at most four decimals, other numbers to 15 significant
// digits, never in exponent form), Yes/No as -1 and 0, Null as empty text.
#pragma once

#include "common/ColumnType.h"

#include <QLocale>
#include <QString>
#include <QVariant>

namespace db {

QString plainText(const QVariant &value, ColumnType type);

// Values as a grid shows them to a person: dates in the locale's short date form, with the time when it is not
// midnight; currency with thousands separators and two decimals (four when the value has them); other numbers
// without float noise, with the locale's decimal point; Yes/No as True/False; Null as empty.
QString displayText(const QVariant &value, ColumnType type, const QLocale &locale = QLocale());

// A double as VB's CStr shows it, without an exponent: 5 not 5.0, 88829183.35 not 88829183.350000001.
QString plainNumber(double value);

}  // namespace db
