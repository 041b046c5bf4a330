#include "analysis/PivotSheet.h"

#include "summary/Money.h"

namespace analysis {

int pivotSheetRows(const PivotTable &pivot) {
  return kPivotHeaderRows + pivot.rowCount();
}

int pivotSheetColumns(const PivotTable &pivot) {
  return 1 + pivot.columnCount();
}

QVariant pivotSheetValue(const PivotTable &pivot, int row, int column) {
  if (row < 0 || column < 0 || row >= pivotSheetRows(pivot) ||
      column >= pivotSheetColumns(pivot))
    return {};
  if (row == 0)
    return column == 0 ? QVariant(dataFieldCaption(pivot.gross)) : QVariant();
  if (row <= kColumnFields)
    return column == 0 ? QVariant(columnFieldNames()[row - 1])
                       : pivot.item(column - 1, row - 1);
  if (row == kPivotHeaderRows - 1)
    return column == 0 ? QVariant(QStringLiteral("Round")) : QVariant();
  const int round = row - kPivotHeaderRows;
  if (column == 0)
    return QVariant(qlonglong(pivot.rounds[std::size_t(round)]));
  const auto sum = pivot.sum(round, column - 1);
  return sum ? QVariant(double(*sum) / double(summary::kMoneyUnitsPerDollar))
             : QVariant();
}

bool pivotSheetIsSum(int row, int column) {
  return row >= kPivotHeaderRows && column >= 1;
}

} // namespace analysis
