// Placeholder: the grid's lazy model over a query.
#pragma once

#include "db/Database.h"
#include "db/Recordset.h"

#include <QAbstractTableModel>

namespace grid {

class LazyTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setHoldingDatabase(db::Database) {}
    void setQuery(const QString &path, const QString &jetSql) {
        db::Database database = db::Database::open(path);
        database.openRecordset(jetSql, db::RecordsetType::Snapshot);
    }
    int rowCount(const QModelIndex & = {}) const override { return 0; }
    int columnCount(const QModelIndex & = {}) const override { return 0; }
    QVariant data(const QModelIndex &, int = Qt::DisplayRole) const override { return {}; }
};

}  // namespace grid
