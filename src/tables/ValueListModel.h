// The list model behind a filter row's value box: plain texts that arrive in batches, appended in one insertion
// each, so that a list of hundreds of thousands of values fills without a signal per value.
//
// GUI thread only (it is a Qt model shown by a combo box).
#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace tables {

class ValueListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(values_.size()); }
    QVariant data(const QModelIndex &index, int role) const override;

    const QStringList &values() const { return values_; }
    void append(const QStringList &batch);
    void clear();

private:
    QStringList values_;
};

}  // namespace tables
