// The grid's cell painter: number cells (those aligned right) are drawn whole or clipped, never with "..." in
// place of digits; other cells elide their end as usual. GUI thread; owned by its Qt parent.
#pragma once

#include <QStyledItemDelegate>

namespace grid {

class NumberDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->displayAlignment & Qt::AlignRight)
            option->textElideMode = Qt::ElideNone;
    }
};

}  // namespace grid
