// Rows as tab-separated text with a header line: dates as ISO text, numbers as plain decimals, Null as an empty
// field. A tab, line break, NUL or backslash inside a value is written as \t, \n, \r, \0 or \\, so every row is
// one line.
#pragma once

#include <QTextStream>

namespace db {
class Recordset;
}

namespace cli {

void writeTsv(QTextStream &out, db::Recordset &rows);
QString tsvField(const QString &text);

}  // namespace cli
