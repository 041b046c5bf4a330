// The pivot as a sheet of cells, as the workbook window shows it and the workbook file holds it:
//   row 0:     the data field caption ("Sum of Gross Bid Amount") in column 0;
//   rows 1-6:  a column field's name in column 0, then that field's item for each pivot column;
//   row 7:     "Round" in column 0;
//   rows 8 on: a round in column 0, then its sums (empty where no bid).
// Column c >= 1 is pivot column c - 1.
//
// Pure functions over a built pivot; safe from any thread.
#pragma once

#include "analysis/PivotTable.h"

#include <QVariant>

namespace analysis {

inline constexpr int kPivotHeaderRows = 8;

int pivotSheetRows(const PivotTable &pivot);
int pivotSheetColumns(const PivotTable &pivot);
// A cell's value: text, a number, a sum in dollars (double), or a null QVariant for an empty cell.
QVariant pivotSheetValue(const PivotTable &pivot, int row, int column);
// Whether a cell holds a sum (shown as money).
bool pivotSheetIsSum(int row, int column);

}  // namespace analysis
