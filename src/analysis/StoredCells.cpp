#include "analysis/StoredCells.h"

#include "summary/Money.h"

#include <sqlite3.h>

#include <cmath>

namespace analysis {

namespace {

constexpr double kExactIntegerLimit = 9007199254740992.0;  // 2^53: every whole double below it is exact

DataCell moneyCell(const QVariant &stored, DataCell otherwise) {
    const auto units = summary::moneyUnits(stored);
    return units ? DataCell{DataCell::Kind::Money, *units} : otherwise;
}

}  // namespace

int StoredCells::intern(std::string_view utf8) {
    if (const auto found = ids_.find(utf8); found != ids_.end())
        return found->second;
    const int id = data_.internText(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
    ids_.emplace(std::string(utf8), id);
    return id;
}

DataCell StoredCells::read(sqlite3_stmt *stmt, int column, bool money) {
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER: {
        const qint64 value = sqlite3_column_int64(stmt, column);
        const DataCell integer{DataCell::Kind::Integer, value};
        return money ? moneyCell(QVariant(qlonglong(value)), DataCell::ofReal(double(value))) : integer;
    }
    case SQLITE_FLOAT: {
        const double value = sqlite3_column_double(stmt, column);
        if (money)
            return moneyCell(QVariant(value), DataCell::ofReal(value));
        if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < kExactIntegerLimit)
            return {DataCell::Kind::Integer, qint64(value)};
        return DataCell::ofReal(value);
    }
    case SQLITE_TEXT: {
        const std::string_view utf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                                    std::size_t(sqlite3_column_bytes(stmt, column)));
        if (money) {
            const QString amount = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
            if (const auto units = summary::moneyUnits(QVariant(amount)))
                return {DataCell::Kind::Money, *units};
        }
        return {DataCell::Kind::Text, intern(utf8)};
    }
    default: return {};
    }
}

}  // namespace analysis
