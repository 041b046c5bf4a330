// The page-break flags of a sheet: the rows and the columns that start a new printed page, numbered from 1 as the
// grid numbers them (row 1 is the first data row, column 1 the first data column). They belong to the data
// window and stay, by number, across a change of round or table until deleted or reset.
//
// Plain data.
#pragma once

#include <set>

namespace print {

struct PageBreaks {
    std::set<int> rows;
    std::set<int> columns;

    bool empty() const { return rows.empty() && columns.empty(); }
    // The grid's enumeration: the first break after `after` (0 for the first), or -1 when there is none.
    static int next(const std::set<int> &breaks, int after) {
        const auto it = breaks.upper_bound(after);
        return it == breaks.end() ? -1 : *it;
    }
};

}  // namespace print
