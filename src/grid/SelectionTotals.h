// Sum, Average and Count of the cells a user selected in a grid, as the data window's Compute menu shows them in
// the status bar ("###,###,###,###,###.00").
//
// The blocks must lie in one column, else the result is "0"; so is it when a cell holds no number (an empty cell
// or text, as a conversion of the cell's text fails). When the last block is a whole column, the column's cells
// over every row of the model's query count instead, read by SQL (tables/ColumnTotals.h), so that rows not yet
// loaded count too; its empty cells are skipped, and the Average of a column without numbers is empty text.
//
// UI thread (it waits for the model's rows). Raises db::Error when rows cannot be read.
#pragma once

#include <QItemSelection>
#include <QString>

#include <optional>

namespace grid {

class LazyTableModel;

// The status text for op ("Sum", "Average" or "Count"); nothing when there is no block.
std::optional<QString> selectionResult(const QString &op, const QItemSelection &blocks, LazyTableModel &model);

// A number as the Compute menu shows it: "###,###,###,###,###.00" with the locale's separators.
QString computedText(double value, const QLocale &locale);

}  // namespace grid
