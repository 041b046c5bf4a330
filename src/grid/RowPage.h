// A page of rows of a grid query: consecutive rows from a position, the values of their visible fields.
#pragma once

#include <QVariant>

#include <vector>

namespace grid {

struct RowPage {
    int index = 0;    // page number: its first row is index * page size
    int rows = 0;
    int columns = 0;
    std::vector<QVariant> cells;  // row after row, `columns` values each

    const QVariant &at(int row, int column) const { return cells[size_t(row) * size_t(columns) + size_t(column)]; }
};

}  // namespace grid
