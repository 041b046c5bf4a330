#include "tables/TableExportCells.h"

#include "db/DecimalDigits.h"
#include "db/ValueText.h"
#include "grid/CellText.h"

#include <sqlite3.h>

#include <charconv>
#include <cmath>
#include <limits>

namespace tables {

namespace {

constexpr std::size_t kMaxCachedDates = 65536;

QVariant valueOf(sqlite3_stmt *statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(statement, column));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
                                          sqlite3_column_bytes(statement, column)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(statement, column)),
                                   sqlite3_column_bytes(statement, column)));
    default: return QVariant();
    }
}

void appendInteger(std::string &out, sqlite3_int64 value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, std::size_t(end - digits));
}

void appendQString(std::string &out, const QString &text) {
    const QByteArray utf8 = text.toUtf8();
    appendOneLine(out, utf8.constData(), std::size_t(utf8.size()));
}

bool isSpecialDisplay(db::ColumnType type) {
    return type == db::ColumnType::Currency || type == db::ColumnType::DateTime || type == db::ColumnType::Boolean;
}

}  // namespace

void appendOneLine(std::string &out, const char *text, std::size_t size) {
    const std::size_t start = out.size();
    out.append(text, size);
    for (std::size_t i = start; i < out.size(); ++i) {
        char &c = out[i];
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    }
}

DisplayCells::DisplayCells(const QLocale &locale)
    : locale_(locale), group_(locale.groupSeparator().toStdString()), point_(locale.decimalPoint().toStdString()) {}

void DisplayCells::append(std::string &out, sqlite3_stmt *statement, int column, db::ColumnType type) {
    const int kind = sqlite3_column_type(statement, column);
    if (kind == SQLITE_NULL)
        return;
    if (type == db::ColumnType::Currency && kind != SQLITE_TEXT && kind != SQLITE_BLOB)
        return appendCurrency(out, statement, column);
    if (type == db::ColumnType::DateTime && kind == SQLITE_TEXT)
        return appendDate(out, statement, column);
    if (!isSpecialDisplay(type) && kind == SQLITE_INTEGER)
        return appendInteger(out, sqlite3_column_int64(statement, column));
    if (!isSpecialDisplay(type) && kind == SQLITE_TEXT)
        return appendOneLine(out, reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
                             std::size_t(sqlite3_column_bytes(statement, column)));
    appendQString(out, grid::cellText(valueOf(statement, column), type, locale_));
}

// "#,##0.00" in the locale's separators: whole amounts straight from their digits, fractional ones rounded half
// away from zero on their 15 significant digits, as VB's Format rounds. An amount that rounds to zero keeps
// Format's own sign rules.
void DisplayCells::appendCurrency(std::string &out, sqlite3_stmt *statement, int column) {
    if (sqlite3_column_type(statement, column) == SQLITE_INTEGER) {
        const sqlite3_int64 value = sqlite3_column_int64(statement, column);
        if (value != 0 && value > std::numeric_limits<sqlite3_int64>::min()) {
            char digits[24];
            const auto end = std::to_chars(digits, digits + sizeof digits, value < 0 ? -value : value).ptr;
            return appendGrouped(out, value < 0, std::string(digits, end), "00");
        }
    } else {
        const double value = sqlite3_column_double(statement, column);
        // An amount of at most four decimals (as currency is kept) that the double holds exactly as the nearest
        // double to it: its 15 significant digits are those decimals, so it is rounded on the integer.
        const double scaled = std::round(value * 10000);
        if (std::fabs(scaled) < 1e15 && scaled / 10000 == value) {
            const auto tenThousandths = static_cast<long long>(std::fabs(scaled));
            const long long cents = (tenThousandths + 50) / 100;
            if (cents != 0) {
                char digits[24];
                const auto end = std::to_chars(digits, digits + sizeof digits, cents / 100).ptr;
                const char fraction[3] = {char('0' + cents % 100 / 10), char('0' + cents % 10), 0};
                return appendGrouped(out, value < 0, std::string(digits, end), fraction);
            }
        } else if (std::isfinite(value)) {
            db::DecimalDigits number = db::DecimalDigits::fromDouble(value);
            number.roundTo(2, db::DecimalDigits::Tie::AwayFromZero);
            if (!number.isZero()) {
                const std::string whole = number.wholeDigits();
                return appendGrouped(out, number.negative, whole.empty() ? std::string("0") : whole,
                                     number.fractionDigits(2).c_str());
            }
        }
    }
    appendQString(out, grid::cellText(valueOf(statement, column), db::ColumnType::Currency, locale_));
}

void DisplayCells::appendGrouped(std::string &out, bool negative, const std::string &whole, const char *fraction) {
    if (negative)
        out += '-';
    const std::size_t size = whole.size();
    for (std::size_t i = 0; i < size; ++i) {
        if (i > 0 && (size - i) % 3 == 0)
            out += group_;
        out += whole[i];
    }
    out += point_;
    out += fraction;
}

// Dates repeat (a round's rows share a few), so each stored text is turned into the locale's form once.
void DisplayCells::appendDate(std::string &out, sqlite3_stmt *statement, int column) {
    key_.assign(reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
                std::size_t(sqlite3_column_bytes(statement, column)));
    auto found = dates_.find(key_);
    if (found == dates_.end()) {
        if (dates_.size() >= kMaxCachedDates)
            dates_.clear();
        std::string shown;
        appendQString(shown, grid::cellText(QVariant(QString::fromStdString(key_)), db::ColumnType::DateTime,
                                            locale_));
        found = dates_.emplace(key_, std::move(shown)).first;
    }
    out += found->second;
}

void appendPlain(std::string &out, sqlite3_stmt *statement, int column, db::ColumnType type) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL: return;
    case SQLITE_INTEGER: return appendInteger(out, sqlite3_column_int64(statement, column));
    case SQLITE_TEXT:
        out.append(reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
                   std::size_t(sqlite3_column_bytes(statement, column)));
        return;
    default: {
        const QByteArray utf8 = db::plainText(valueOf(statement, column), type).toUtf8();
        out.append(utf8.constData(), std::size_t(utf8.size()));
    }
    }
}

}  // namespace tables
