// The Jet texts of the Table Actions choices: the sort text and the filter text a data window applies to the
// rows it shows, and the condition list the Table Wizard writes after WHERE.
//
// A filter row counts when both its column and its value are given; the conditions start at the first counted
// row (the joint before it is dropped) and each later counted row is joined by the And/Or chosen before it.
// A condition is "[column] " + operator + value, the operator touching the value: a number as typed, a text
// quoted (with its quote characters doubled), Null as Is Null ("=") or Is Not Null ("<>"), a date as a #date#
// literal; a date typed to the day or to the minute covers that whole day or minute. Other operators with Null
// raise db::Error 3464.
//
// Pure functions; safe from any thread.
#pragma once

#include "tables/TableChoices.h"

#include <QString>

#include <vector>

namespace tables {

class ColumnTypes;

// "[Market], [Bidder] DESC": each column bracketed, " DESC" after those not ascending, joined by ", ".
QString sortText(const std::vector<SortColumn> &sort);

// How the text values of the conditions are quoted: the filter's "..." or the Table Wizard's '...'.
enum class TextQuote { Double, Single };

// The counted rows' conditions joined as above; empty when no row counts. types as in FilterValue.h (null:
// values as typed).
QString conditionsText(const TableChoices &choices, TextQuote quote, const ColumnTypes *types);

// The filter a data window applies: the conditions with text values in double quotes.
inline QString filterText(const TableChoices &choices, const ColumnTypes *types = nullptr) {
    return conditionsText(choices, TextQuote::Double, types);
}

// Whether a row counts: it has a column and a value.
bool rowCounts(const FilterRow &row);

}  // namespace tables
