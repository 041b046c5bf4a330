// Analysis results made by hand for the workbook tests, and workbooks read back as a spreadsheet program reads
// them (openpyxl through the system's Python).
#pragma once

#include "analysis/AnalysisRun.h"

#include <QJsonValue>
#include <QString>

#include <optional>
#include <vector>

namespace workbooktest {

// A data set column's cells are given as plain values: qlonglong, QString, a null QVariant; the two amounts as
// ten-thousandths (qlonglong) become money.
analysis::DataSet dataSet(const std::vector<std::vector<QVariant>> &rows);

// One pivot column: the six field items (qlonglong, QString or null).
using PivotColumn = std::vector<QVariant>;
// A pivot of the given rounds and columns; sums[r] lists (column, ten-thousandths) of round r, ascending.
analysis::PivotTable pivot(bool gross, const std::vector<qint64> &rounds, const std::vector<PivotColumn> &columns,
                           const std::vector<std::vector<std::pair<int, qint64>>> &sums);

struct Sheet {
    QString title;
    bool active = false;
    // Rows of cells, trailing empty cells left off: a string, a number, null, or {"money": number} for a number
    // in the money format.
    std::vector<std::vector<QJsonValue>> rows;

    QJsonValue cell(int row, int column) const;
};

// The sheets of an .xlsx file; nothing when python3 with openpyxl is missing (the caller skips, or fails under
// CI=true).
std::optional<std::vector<Sheet>> readWorkbook(const QString &path);

// A money cell's amount in whole cents; nothing when the cell is not a money cell.
std::optional<qint64> moneyCents(const QJsonValue &cell);

}  // namespace workbooktest
