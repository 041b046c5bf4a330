// The order of a data set's rows by one column, as the engine's ORDER BY gives it: missing values first, then
// numbers, then texts in the engine's text order (db/TextCollation.h); rows that tie keep their order.
//
// Pure functions over a data set; safe from any thread.
#pragma once

#include "analysis/DataSet.h"

#include <vector>

namespace analysis {

// The row indices in order of the column's values.
std::vector<int> rowsOrderedBy(const DataSet &data, int column);

// Rearranges the rows of the data set: row i becomes the former row order[i].
void reorderRows(DataSet &data, const std::vector<int> &order);

}  // namespace analysis
