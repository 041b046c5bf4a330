// The pivot of a data set, as a spreadsheet's pivot table lays it out: the row field Round; the column fields
// Market, Block, Submarket, Market Name, Bidder and Increments of Bid, nested in that order; the data field the
// sum of the gross or the net amounts; no subtotals, no grand totals.
//
// Rows are the rounds that have bids, ascending. Columns are the combinations of the six fields that occur,
// ordered as a spreadsheet orders them: ascending by each field in turn, numbers numerically before text, text
// without regard to case, empty values last. Sums are exact (ten-thousandths of a dollar in 64-bit integers) and
// held sparsely: only cells with bids.
//
// Plain data; built on any thread, read from any thread once built.
#pragma once

#include "analysis/DataSet.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace analysis {

inline constexpr int kColumnFields = 6;

// "Market", "Block", "Submarket", "Market Name", "Bidder", "Increments of Bid".
const QStringList &columnFieldNames();
// The data set column of each column field.
const std::array<int, kColumnFields> &columnFieldColumns();
// "Sum of Gross Bid Amount" or "Sum of Net Bid Amount".
QString dataFieldCaption(bool gross);

struct PivotTable {
    bool gross = false;
    std::vector<qint64> rounds;  // the row items, ascending
    // The column items: each column's value of each column field (Text cells index into texts).
    std::vector<std::array<DataCell, kColumnFields>> columns;
    QStringList texts;
    // The cells with bids, row by row: row r holds entries rowStart[r] .. rowStart[r + 1] - 1 of cellColumn and
    // cellSum, ascending by column. rowStart has rounds.size() + 1 entries.
    std::vector<qint64> rowStart;
    std::vector<int> cellColumn;
    std::vector<qint64> cellSum;  // ten-thousandths of a dollar

    int rowCount() const { return int(rounds.size()); }
    int columnCount() const { return int(columns.size()); }
    // The sum of a cell, or nothing where no bid falls.
    std::optional<qint64> sum(int row, int column) const;
    // A column's item of a field as a plain value (qlonglong, double, QString; null for an empty item).
    QVariant item(int column, int field) const;
};

// Pivots the data set. progress(done, total) is called now and then from the calling thread; when it returns
// false the build stops and nothing comes back.
std::optional<PivotTable> buildPivot(const DataSet &data, bool gross,
                                     const std::function<bool(qint64, qint64)> &progress = {});

}  // namespace analysis
