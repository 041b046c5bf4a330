// What the user chose in the Table Actions dialog, as plain values: the sort columns, the four filter rows with
// the joints between them, and the Table Wizard's target columns and name. The dialog fills it; the statement
// builders of sort, filter and Table Wizard read it, so they run and are tested without widgets.
//
// Plain values; safe from any thread.
#pragma once

#include <QString>

#include <array>
#include <vector>

namespace tables {

// The entry of a value list that stands for Null: a filter row holding it tests Is Null ("=") or Is Not Null
// ("<>").
inline QString nullChoiceText() { return QStringLiteral("(Null)"); }

struct SortColumn {
    QString column;
    bool ascending = true;  // an item left selected in the sort list sorts ascending
};

struct FilterRow {
    QString column;  // empty: the row is not used
    QString op;      // one of "=", "<>", ">", ">=", "<", "<="
    QString value;   // as typed or picked; empty: the row is not used
};

struct TableChoices {
    std::vector<SortColumn> sort;
    std::array<FilterRow, 4> rows;
    std::array<QString, 3> joints;  // "And" or "Or": joints[0] joins rows 1 and 2, and so on
    std::vector<QString> target;    // Table Wizard: the new table's columns, in order
    QString tableName;              // Table Wizard: the new table's name (may be empty)
    bool includeAllRounds = false;  // shown but without effect: every table is built from every round
};

}  // namespace tables
