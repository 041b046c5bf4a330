#include "grid/PageBreakMarks.h"

#include <QPainter>

namespace grid {

void PageBreakMarks::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const {
    NumberDelegate::paint(painter, option, index);
    const bool top = marksTop(index);
    const bool left = marksLeft(index);
    if (!top && !left)
        return;
    const QRect &cell = option.rect;
    painter->save();
    if (top)
        painter->fillRect(QRect(cell.left(), cell.top(), cell.width(), kLineWidth), Qt::black);
    if (left)
        painter->fillRect(QRect(cell.left(), cell.top(), kLineWidth, cell.height()), Qt::black);
    painter->restore();
}

}  // namespace grid
