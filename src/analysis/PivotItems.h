// The items of one pivot field: the distinct values of a data set column,
// grouped as a spreadsheet's pivot groups them (texts without regard to case,
// by the engine's text comparison; an empty text with the missing values) and
// ranked in its order: numbers numerically, then texts in the engine's
// case-insensitive order, empty last.
//
// Plain data built on the calling thread; used by buildPivot.
#pragma once

#include "analysis/DataSet.h"

#include <vector>

namespace analysis {

struct PivotItems {
  std::vector<DataCell>
      items; // by rank: each item's first-seen value (Null for the empty item)
  std::vector<int> rowRank; // each data set row's item rank
};

PivotItems rankItems(const DataSet &data, int column);

} // namespace analysis
