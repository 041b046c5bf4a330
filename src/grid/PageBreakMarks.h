// The grid's cell painter with the page-break marks: a black line along the top edge of every cell of a row that
// starts a printed page and along the left edge of every cell of such a column. The marks are drawn as cells are
// painted, from a copy of the flags, so they cost a set look-up per visible cell and nothing per row of the table;
// they follow scrolling, resizing and the frozen-columns overlay (which shares the grid's delegate) by themselves.
//
// Rows and columns are numbered from 1 as the grid numbers them: model row 0 is row 1. Marks of rows or columns
// the model does not have are kept and simply not drawn.
//
// GUI thread; owned by its Qt parent (the grid). Changing the marks does not repaint: the caller updates the views
// that use this delegate (SpreadGrid::showPageBreakMarks does).
#pragma once

#include "grid/NumberDelegate.h"
#include "print/PageBreaks.h"

namespace grid {

class PageBreakMarks : public NumberDelegate {
    Q_OBJECT
public:
    using NumberDelegate::NumberDelegate;

    // Width of a mark in pixels, inside the cell so that grid lines never cover it.
    static constexpr int kLineWidth = 2;

    void setMarks(const print::PageBreaks &marks) { marks_ = marks; }
    const print::PageBreaks &marks() const { return marks_; }

    // Whether the cell at a model index carries a mark along its top edge (its row starts a page) and along its
    // left edge (its column does).
    bool marksTop(const QModelIndex &index) const { return index.isValid() && marks_.rows.count(index.row() + 1); }
    bool marksLeft(const QModelIndex &index) const {
        return index.isValid() && marks_.columns.count(index.column() + 1);
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    print::PageBreaks marks_;
};

}  // namespace grid
