// The texts of the cells an export writes, appended as UTF-8 to a buffer straight from a statement's current
// row: the grid's cell texts (grid::cellText, for tab-delimited text) and the stored values (db::plainText, for
// CSV). The common cases (whole numbers, text, whole and fractional currency, dates) are written without
// building a QVariant or a QString; every other case goes through those functions, so the texts are the same.
//
// One object per export, used on one thread; it caches the texts of dates it has written.
#pragma once

#include "common/ColumnType.h"

#include <QByteArray>
#include <QLocale>

#include <string>
#include <unordered_map>

struct sqlite3_stmt;

namespace tables {

class DisplayCells {
public:
    explicit DisplayCells(const QLocale &locale);

    // The cell as the grid shows it, with every tab, CR and LF inside it made a space.
    void append(std::string &out, sqlite3_stmt *statement, int column, db::ColumnType type);

private:
    void appendCurrency(std::string &out, sqlite3_stmt *statement, int column);
    void appendDate(std::string &out, sqlite3_stmt *statement, int column);
    void appendGrouped(std::string &out, bool negative, const std::string &whole, const char *fraction);

    QLocale locale_;
    std::string group_, point_;  // the locale's separators in UTF-8
    std::unordered_map<std::string, std::string> dates_;
    std::string key_;  // the stored text looked up, kept to spare an allocation per cell
};

// The stored value as plain text (db::plainText): plain numbers without float noise, ISO dates, -1/0.
void appendPlain(std::string &out, sqlite3_stmt *statement, int column, db::ColumnType type);

// Text with every tab, CR and LF made a space.
void appendOneLine(std::string &out, const char *text, std::size_t size);

}  // namespace tables
