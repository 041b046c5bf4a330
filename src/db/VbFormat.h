// VB's Format function and VB's way of showing a Double, for the SQL function jet_format and the windows.
//
// Conventions are those of Jet on a US system: period decimal point, comma thousands separator, "$" currency
// with negative amounts in parentheses, dates as m/d/yyyy, English month and day names, 12-hour times with AM/PM.
//
// Numbers take patterns with 0 and # digit placeholders, a decimal point, thousands separators (a comma between
// placeholders groups the digits; commas just before the point or the end divide by 1000), %, E+/E- exponents,
// literal characters, backslash escapes and quoted literals, in up to four sections separated by ';' (positive;
// negative; zero; null), or the names "General Number", "Currency", "Fixed", "Standard", "Percent",
// "Scientific", "Yes/No", "True/False", "On/Off". Rounding is half away from zero on the decimal digits.
// A negative number that rounds to all zeros shows without a minus sign (VB shows "-0", which reads as a fault).
//
// Dates take d dd ddd dddd ddddd dddddd w ww m mm mmm mmmm q y yy yyyy h hh n nn s ss ttttt c, AM/PM am/pm A/P
// a/p AMPM (an m right after an h, or right before an s, is minutes), or the names "General Date", "Long Date",
// "Medium Date", "Short Date", "Long Time", "Medium Time", "Short Time".
//
// The kind of pattern decides how a value is read: a date pattern shows a number as the date of that serial
// number, a number pattern shows a date as its serial number; text is read as a number, else as a date, else
// returned unchanged. Without a pattern a value is shown as CStr shows it (dates as ISO text).
//
// Pure functions; safe from any thread. Throws db::Error 6 (Overflow) when a number given for a date pattern
// lies outside the Jet date range.
#pragma once

#include <QString>
#include <QVariant>

namespace db {

// Format(value, pattern). A null value gives a null QString unless the pattern has a fourth (null) section.
// Accepted values: null, bool, integers, double, QString, QByteArray (UTF-8), QDate, QTime, QDateTime.
QString vbFormat(const QVariant &value, const QString &pattern);

// CStr of a Double: up to 15 significant digits, no float noise, no trailing ".0", an exponent only for very
// large or very small magnitudes ("1E+15", "1.5E-07").
QString vbNumberText(double value);

}  // namespace db
