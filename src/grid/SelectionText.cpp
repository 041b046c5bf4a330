#include "grid/SelectionText.h"

#include <QAbstractItemModel>

#include <algorithm>

namespace grid {

SelectionShape SelectionShape::of(const QItemSelection &selection) {
    SelectionShape shape;
    std::vector<std::pair<int, int>> spans;
    for (const QItemSelectionRange &range : selection) {
        if (!range.isValid())
            continue;
        spans.emplace_back(range.top(), range.bottom());
        for (int column = range.left(); column <= range.right(); ++column)
            shape.columns.push_back(column);
    }
    std::sort(shape.columns.begin(), shape.columns.end());
    shape.columns.erase(std::unique(shape.columns.begin(), shape.columns.end()), shape.columns.end());
    std::sort(spans.begin(), spans.end());
    for (const auto &span : spans) {
        if (!shape.rowSpans.empty() && span.first <= shape.rowSpans.back().second + 1)
            shape.rowSpans.back().second = std::max(shape.rowSpans.back().second, span.second);
        else
            shape.rowSpans.push_back(span);
    }
    return shape;
}

int SelectionShape::rowCount() const {
    int rows = 0;
    for (const auto &span : rowSpans)
        rows += span.second - span.first + 1;
    return rows;
}

namespace {

bool selected(const QItemSelection &selection, int row, int column) {
    for (const QItemSelectionRange &range : selection)
        if (row >= range.top() && row <= range.bottom() && column >= range.left() && column <= range.right())
            return true;
    return false;
}

void appendRow(QString &text, const QItemSelection &selection, const QAbstractItemModel &model,
               const std::vector<int> &columns, int row) {
    bool firstCell = true;
    for (const int column : columns) {
        if (!firstCell)
            text += u'\t';
        firstCell = false;
        if (selected(selection, row, column))
            text += model.data(model.index(row, column), Qt::DisplayRole).toString();
    }
    text += u'\n';
}

}  // namespace

QString selectionText(const QItemSelection &selection, const QAbstractItemModel &model, const RowLoader &loader,
                      int chunkRows) {
    const SelectionShape shape = SelectionShape::of(selection);
    chunkRows = std::max(chunkRows, 1);
    QString text;
    for (const auto &[top, bottom] : shape.rowSpans) {
        for (int first = top; first <= bottom; first += chunkRows) {
            const int last = std::min(bottom, first + chunkRows - 1);
            if (loader && !loader(first, last))
                return {};
            for (int row = first; row <= last; ++row)
                appendRow(text, selection, model, shape.columns, row);
        }
    }
    return text;
}

}  // namespace grid
