#include "analysis/SheetModels.h"

#include "analysis/PivotSheet.h"
#include "grid/CellText.h"
#include "summary/Money.h"

#include <QBrush>
#include <QFont>
#include <QPalette>

namespace analysis {

namespace {

const QColor kHeaderShade(0xDD, 0xE4, 0xEE);
const QColor kRoundShade(0xEE, 0xF1, 0xF5);

QVariant boldFont() {
    QFont font;
    font.setBold(true);
    return font;
}

}  // namespace

QString sumText(qint64 units, const QLocale &locale) {
    const qint64 cents = summary::wholeCents(units);
    const qint64 whole = cents < 0 ? -cents : cents;
    QLocale grouped = locale;
    grouped.setNumberOptions(QLocale::DefaultNumberOptions);
    return (cents < 0 ? QStringLiteral("-$") : QStringLiteral("$")) + grouped.toString(whole / 100) +
           locale.decimalPoint() + QStringLiteral("%1").arg(whole % 100, 2, 10, QChar(u'0'));
}

QString columnLetters(int column) {
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

SheetModel::SheetModel(std::shared_ptr<const AnalysisResult> result, QObject *parent)
    : QAbstractTableModel(parent), result_(std::move(result)) {}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole)
        return orientation == Qt::Horizontal ? columnLetters(section) : QString::number(section + 1);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}

int DataSetModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : result_->dataSet.rowCount() + 1;
}

int DataSetModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : kDataSetColumns; }

QVariant DataSetModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::ToolTipRole)  // the whole text of a cell too narrow for it
        role = Qt::DisplayRole;
    const int row = index.row();
    const int column = index.column();
    if (row == 0) {
        if (role == Qt::DisplayRole)
            return dataSetColumnNames().value(column);
        if (role == Qt::FontRole)
            return boldFont();
        return {};
    }
    const DataSet &data = result_->dataSet;
    const db::ColumnType type = data.types[std::size_t(column)];
    if (role == Qt::DisplayRole)
        return grid::cellText(data.value(row - 1, column), type, locale_);
    if (role == Qt::TextAlignmentRole && grid::isNumberCell(type, data.value(row - 1, column)))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

int PivotModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : pivotSheetRows(result_->pivot);
}

int PivotModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : pivotSheetColumns(result_->pivot);
}

QVariant PivotModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::ToolTipRole)  // the whole text of a cell too narrow for it
        role = Qt::DisplayRole;
    const int row = index.row();
    const int column = index.column();
    const bool header = row < kPivotHeaderRows;
    switch (role) {
    case Qt::DisplayRole: {
        if (pivotSheetIsSum(row, column)) {
            const std::optional<qint64> sum = result_->pivot.sum(row - kPivotHeaderRows, column - 1);
            return sum ? sumText(*sum, locale_) : QString();
        }
        return grid::cellText(pivotSheetValue(result_->pivot, row, column), db::ColumnType::Unknown, locale_);
    }
    case Qt::TextAlignmentRole: {
        const QVariant value = pivotSheetValue(result_->pivot, row, column);
        if (pivotSheetIsSum(row, column) || (!header && grid::isNumberCell(db::ColumnType::Unknown, value)))
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    case Qt::FontRole:
        return header ? boldFont() : QVariant();
    case Qt::BackgroundRole:
        if (header)
            return QBrush(kHeaderShade);
        return column == 0 ? QVariant(QBrush(kRoundShade)) : QVariant();
    default:
        return {};
    }
}

}  // namespace analysis
