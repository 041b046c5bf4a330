// Helpers of the grid tests: generated tables, waiting for the model's worker, reading a model's column.
#pragma once

#include "db/Database.h"

#include <QStringList>
#include <QVariant>

#include <functional>

namespace grid {
class LazyTableModel;
}

namespace gridtest {

// Creates [table] with `rows` rows (a multiple of 10, at most 100,000): [Id] 0..rows-1 in insertion order,
// [Key] a permutation of 0..rows-1 ((Id * 7919) Mod rows), [Label] "L" & Id. Rows must not share a factor with 7919.
void makeNumbers(db::Database &database, const QString &table, int rows);

// Processes events until done() holds or the time runs out; returns done().
bool waitUntil(const std::function<bool()> &done, int timeoutMs = 20000);

// Waits until the model has counted its rows; false on timeout or failure.
bool waitForCount(grid::LazyTableModel &model, int timeoutMs = 20000);

// The raw values of one column of every row, loaded in chunks; empty list when loading fails.
QVariantList columnValues(grid::LazyTableModel &model, int column);

}  // namespace gridtest
