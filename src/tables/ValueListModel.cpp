#include "tables/ValueListModel.h"

namespace tables {

QVariant ValueListModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= values_.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return values_.at(index.row());
    return {};
}

void ValueListModel::append(const QStringList &batch) {
    if (batch.isEmpty())
        return;
    beginInsertRows({}, int(values_.size()), int(values_.size() + batch.size() - 1));
    values_ += batch;
    endInsertRows();
}

void ValueListModel::clear() {
    if (values_.isEmpty())
        return;
    beginResetModel();
    values_.clear();
    endResetModel();
}

}  // namespace tables
