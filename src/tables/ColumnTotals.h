// The totals of one column over every row of a query: the sum and count of its numbers, and how many of its
// cells hold something that is not a number. The data window's Sum, Average and Count of a whole column use them,
// so that rows the grid has not loaded count too.
//
// Runs on the calling thread with a connection of its own. Raises db::Error for a query that fails.
#pragma once

#include <QString>

namespace tables {

struct ColumnTotals {
    double sum = 0;
    qint64 numbers = 0;   // cells holding a number (empty cells are skipped)
    qint64 others = 0;    // cells holding text (not empty), a date or binary data
};

ColumnTotals columnTotals(const QString &databasePath, const QString &jetSql, const QString &column);

}  // namespace tables
