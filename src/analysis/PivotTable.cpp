#include "analysis/PivotTable.h"

#include "analysis/PivotItems.h"
#include "db/Error.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace analysis {

namespace {

// The steps of a build, as the progress window counts them.
constexpr qint64 kPivotSteps = 14;

using Ranks = std::array<int, kColumnFields>;

// Progress with a cancel check: false once the caller asked to stop.
class BuildProgress {
public:
  explicit BuildProgress(const std::function<bool(qint64, qint64)> &report)
      : report_(report) {}
  bool step(qint64 done) { return !report_ || report_(done, kPivotSteps); }

private:
  const std::function<bool(qint64, qint64)> &report_;
};

// A row's round as a whole number; nothing for a missing or non-numeric round
// (no row item holds it).
std::optional<qint64> roundOf(const DataCell &cell) {
  if (cell.kind == DataCell::Kind::Integer)
    return cell.integer();
  if (cell.kind == DataCell::Kind::Real && std::isfinite(cell.real()) &&
      std::fabs(cell.real()) < 9.2e18)
    return qint64(std::llround(cell.real()));
  return std::nullopt;
}

struct Entry {
  int column;
  bool hasSum;
  qint64 sum;
};

qint64 addExact(qint64 a, qint64 b) {
  qint64 sum = 0;
  if (__builtin_add_overflow(a, b, &sum))
    throw db::Error(db::err::Overflow, QStringLiteral("Overflow"));
  return sum;
}

// Amounts as the sum counts them: money exactly; missing values and texts are
// not added.
std::optional<qint64> amountOf(const DataCell &cell) {
  if (cell.kind == DataCell::Kind::Money)
    return cell.bits;
  return std::nullopt;
}

// Fills rowStart, cellColumn and cellSum from each row's round index and
// column, summing rows that share a cell.
bool fillCells(PivotTable &pivot, const std::vector<int> &roundIndex,
               const std::vector<int> &columnOf, const DataSet &data,
               int amountColumn, BuildProgress &progress) {
  const std::size_t rounds = pivot.rounds.size();
  std::vector<qint64> start(rounds + 1, 0);
  for (const int r : roundIndex)
    if (r >= 0)
      ++start[std::size_t(r) + 1];
  std::partial_sum(start.begin(), start.end(), start.begin());
  std::vector<Entry> entries(std::size_t(start.back()));
  std::vector<qint64> next(start.begin(), start.end() - 1);
  for (std::size_t row = 0; row < roundIndex.size(); ++row) {
    if (roundIndex[row] < 0)
      continue;
    const auto amount = amountOf(data.cell(int(row), amountColumn));
    entries[std::size_t(next[std::size_t(roundIndex[row])]++)] = {
        columnOf[row], amount.has_value(), amount.value_or(0)};
  }
  if (!progress.step(11))
    return false;
  pivot.rowStart.assign(1, 0);
  for (std::size_t r = 0; r < rounds; ++r) {
    const auto first = entries.begin() + start[r],
               last = entries.begin() + start[r + 1];
    std::sort(first, last, [](const Entry &a, const Entry &b) {
      return a.column < b.column;
    });
    for (auto it = first; it != last;) {
      Entry cell = *it;
      for (++it; it != last && it->column == cell.column; ++it)
        if (it->hasSum)
          cell = {cell.column, true, addExact(cell.sum, it->sum)};
      if (cell.hasSum) {
        pivot.cellColumn.push_back(cell.column);
        pivot.cellSum.push_back(cell.sum);
      }
    }
    pivot.rowStart.push_back(qint64(pivot.cellColumn.size()));
    if ((r + 1) % 64 == 0 && !progress.step(12))
      return false;
  }
  return progress.step(13);
}

// The data set rows ordered by their column items; each distinct combination
// becomes a column, in that order.
bool buildColumns(PivotTable &pivot, const DataSet &data,
                  const std::vector<PivotItems> &fields,
                  std::vector<int> &columnOf, BuildProgress &progress) {
  const std::size_t rows = std::size_t(data.rowCount());
  std::vector<Ranks> ranks(rows);
  for (std::size_t row = 0; row < rows; ++row)
    for (int f = 0; f < kColumnFields; ++f)
      ranks[row][std::size_t(f)] = fields[std::size_t(f)].rowRank[row];
  std::vector<int> order(rows);
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    return ranks[std::size_t(a)] < ranks[std::size_t(b)];
  });
  if (!progress.step(9))
    return false;
  // Texts of the items, renumbered into the pivot's own list.
  std::vector<int> textIndex(std::size_t(data.texts.size()), -1);
  columnOf.assign(rows, 0);
  for (std::size_t i = 0; i < rows; ++i) {
    const std::size_t row = std::size_t(order[i]);
    if (i == 0 || ranks[row] != ranks[std::size_t(order[i - 1])]) {
      std::array<DataCell, kColumnFields> column{};
      for (int f = 0; f < kColumnFields; ++f) {
        DataCell item = fields[std::size_t(f)]
                            .items[std::size_t(ranks[row][std::size_t(f)])];
        if (item.kind == DataCell::Kind::Text) {
          int &index = textIndex[std::size_t(item.bits)];
          if (index < 0) {
            index = int(pivot.texts.size());
            pivot.texts.append(data.texts[qsizetype(item.bits)]);
          }
          item.bits = index;
        }
        column[std::size_t(f)] = item;
      }
      pivot.columns.push_back(column);
    }
    columnOf[row] = pivot.columnCount() - 1;
  }
  return progress.step(10);
}

} // namespace

const QStringList &columnFieldNames() {
  static const QStringList names{
      QStringLiteral("Market"),    QStringLiteral("Block"),
      QStringLiteral("Submarket"), QStringLiteral("Market Name"),
      QStringLiteral("Bidder"),    QStringLiteral("Increments of Bid")};
  return names;
}

const std::array<int, kColumnFields> &columnFieldColumns() {
  static const std::array<int, kColumnFields> columns{
      MarketColumn,     BlockColumn,  SubmarketColumn,
      MarketNameColumn, BidderColumn, IncrementsColumn};
  return columns;
}

QString dataFieldCaption(bool gross) {
  return gross ? QStringLiteral("Sum of Gross Bid Amount")
               : QStringLiteral("Sum of Net Bid Amount");
}

std::optional<qint64> PivotTable::sum(int row, int column) const {
  if (row < 0 || row >= rowCount())
    return std::nullopt;
  const auto first = cellColumn.begin() + rowStart[std::size_t(row)];
  const auto last = cellColumn.begin() + rowStart[std::size_t(row) + 1];
  const auto found = std::lower_bound(first, last, column);
  if (found == last || *found != column)
    return std::nullopt;
  return cellSum[std::size_t(found - cellColumn.begin())];
}

QVariant PivotTable::item(int column, int field) const {
  const DataCell &cell = columns[std::size_t(column)][std::size_t(field)];
  switch (cell.kind) {
  case DataCell::Kind::Integer:
    return QVariant(qlonglong(cell.integer()));
  case DataCell::Kind::Money:
    return QVariant(double(cell.bits) / 10000.0);
  case DataCell::Kind::Real:
    return QVariant(cell.real());
  case DataCell::Kind::Text:
    return QVariant(texts[qsizetype(cell.bits)]);
  case DataCell::Kind::Null:
    break;
  }
  return {};
}

std::optional<PivotTable>
buildPivot(const DataSet &data, bool gross,
           const std::function<bool(qint64, qint64)> &progress) {
  BuildProgress steps(progress);
  PivotTable pivot;
  pivot.gross = gross;
  const std::size_t rows = std::size_t(data.rowCount());
  std::vector<int> roundIndex(rows, -1);
  std::vector<std::optional<qint64>> roundValue(rows);
  for (std::size_t row = 0; row < rows; ++row)
    if ((roundValue[row] = roundOf(data.cell(int(row), RoundColumn))))
      pivot.rounds.push_back(*roundValue[row]);
  std::sort(pivot.rounds.begin(), pivot.rounds.end());
  pivot.rounds.erase(std::unique(pivot.rounds.begin(), pivot.rounds.end()),
                     pivot.rounds.end());
  for (std::size_t row = 0; row < rows; ++row)
    if (roundValue[row])
      roundIndex[row] =
          int(std::lower_bound(pivot.rounds.begin(), pivot.rounds.end(),
                               *roundValue[row]) -
              pivot.rounds.begin());
  if (!steps.step(1))
    return std::nullopt;

  std::vector<PivotItems> fields;
  for (const int column : columnFieldColumns()) {
    fields.push_back(rankItems(data, column));
    if (!steps.step(qint64(fields.size()) + 1))
      return std::nullopt;
  }
  std::vector<int> columnOf;
  if (!buildColumns(pivot, data, fields, columnOf, steps))
    return std::nullopt;
  if (!fillCells(pivot, roundIndex, columnOf, data,
                 gross ? GrossAmountColumn : NetAmountColumn, steps))
    return std::nullopt;
  if (!steps.step(kPivotSteps))
    return std::nullopt;
  return pivot;
}

} // namespace analysis
