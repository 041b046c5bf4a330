// Placeholder: the grid's lazy model over a query.
#pragma once

#include <QAbstractTableModel>

namespace grid {

class LazyTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex & = {}) const override { return 0; }
    int columnCount(const QModelIndex & = {}) const override { return 0; }
    QVariant data(const QModelIndex &, int = Qt::DisplayRole) const override { return {}; }
};

}  // namespace grid
