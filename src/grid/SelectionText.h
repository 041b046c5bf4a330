// A grid selection as tab-separated text, the way a spreadsheet copies it: one line per row, cells separated by
// tabs, each line ending in a line feed. Several blocks are laid out in one rectangle of the rows and columns
// they touch, in grid order; a cell of that rectangle outside every block is empty. So several whole columns copy
// side by side.
//
// Runs on the thread of the model; reads cells through the model's DisplayRole.
#pragma once

#include <QItemSelection>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

class QAbstractItemModel;

namespace grid {

struct SelectionShape {
    std::vector<std::pair<int, int>> rowSpans;  // first and last row of each run of selected rows, in order
    std::vector<int> columns;                   // every column with a selected cell, in order

    static SelectionShape of(const QItemSelection &selection);
    int rowCount() const;
};

// Called before the cells of rows first..last are read; returning false abandons the copy (empty text).
using RowLoader = std::function<bool(int first, int last)>;

// The text of the selected cells; loader (if given) is called for chunks of at most chunkRows rows.
QString selectionText(const QItemSelection &selection, const QAbstractItemModel &model,
                      const RowLoader &loader = {}, int chunkRows = 1000);

}  // namespace grid
