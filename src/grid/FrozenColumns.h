// Frozen columns of a grid: an overlay view over the grid's left edge that shows its first columns, sharing the
// grid's model, selection and row header height, while the grid scrolls the other columns horizontally beneath
// it. The overlay follows the grid's vertical scrolling, size, column widths and model resets; a cell that
// becomes current under the overlay is scrolled into view beside it.
//
// A QObject child of the grid (the grid owns it); UI thread only. The grid keeps one at most: freeze() on the
// same grid replaces the count. The grid must keep its model and selection model while columns are frozen.
#pragma once

#include <QObject>

class QTableView;

namespace grid {

class FrozenColumns : public QObject {
    Q_OBJECT
public:
    // Keeps columns 0 .. count - 1 in view; a count of 0 (or below) removes the overlay.
    static void freeze(QTableView &grid, int count);
    // The count frozen now (0 when none).
    static int frozenCount(const QTableView &grid);
    // The overlay view, or null when nothing is frozen (tests look at it).
    static QTableView *overlay(const QTableView &grid);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FrozenColumns(QTableView &grid, int count);
    ~FrozenColumns() override;
    void setCount(int count);
    void release();
    void applyColumns();
    void updateGeometry();
    void keepCurrentVisible();

    QTableView &grid_;
    QTableView *view_ = nullptr;
    int count_ = 0;
    int savedScrollMode_ = 0;
};

}  // namespace grid
