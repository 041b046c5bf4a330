// The two sheets of the workbook window as lazy table models: each cell is computed when the view asks for it,
// so a pivot of any width opens at once. Headers are a spreadsheet's: column letters (A, B, ..., Z, AA, ...) and
// row numbers from 1. Cells show values as the data windows do (grid/CellText.h): money as currency, numbers to
// the right.
//
// DataSetModel: row 1 the column names, then one row per bid of the data set.
// PivotModel: the pivot laid out as analysis/PivotSheet.h gives; its header rows and the Round column shaded, the
// header rows bold.
//
// Both hold the result they show (shared with the window, never changed). GUI thread only.
#pragma once

#include "analysis/AnalysisRun.h"

#include <QAbstractTableModel>
#include <QIdentityProxyModel>
#include <QLocale>

#include <algorithm>
#include <memory>

namespace analysis {

// The spreadsheet name of a column: 0 -> "A", 25 -> "Z", 26 -> "AA".
QString columnLetters(int column);

// A pivot sum (ten-thousandths of a dollar) in dollars and cents, rounded half away from zero from the exact
// amount: "$1,234.50", "-$12.01".
QString sumText(qint64 units, const QLocale &locale);

class SheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    SheetModel(std::shared_ptr<const AnalysisResult> result, QObject *parent);
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    std::shared_ptr<const AnalysisResult> result_;
    QLocale locale_;
};

class DataSetModel : public SheetModel {
    Q_OBJECT
public:
    using SheetModel::SheetModel;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
};

// The first column of a sheet alone.
class FirstColumnModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    int columnCount(const QModelIndex &parent = {}) const override {
        return std::min(1, QIdentityProxyModel::columnCount(parent));
    }
};

class PivotModel : public SheetModel {
    Q_OBJECT
public:
    using SheetModel::SheetModel;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
};

}  // namespace analysis
