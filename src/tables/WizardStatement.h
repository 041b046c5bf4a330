// The Table Wizard's make-table statement, built from the Table Actions choices, in the form the auction database
// keeps in sysWizard and runs again after every import:
//
//   SELECT [Bidder], [Market] INTO [My Bids] FROM [All Bids] WHERE [Round] >5 And [Bidder] ='ABC' ORDER BY [Market],  [Bidder] DESC;
//
// The target columns in order; the conditions of tables/SortFilterText.h with text values in single quotes (their
// apostrophes doubled); " ORDER BY" then each sort column as " [column]" (+ " DESC"), joined by ", ", so two
// spaces follow each comma; a closing ";".
//
// Pure function; safe from any thread. Raises db::Error as conditionsText() does.
#pragma once

#include "tables/TableChoices.h"

#include <QString>

namespace tables {

class ColumnTypes;

QString wizardStatement(const TableChoices &choices, const QString &name, const QString &sourceTable,
                        const ColumnTypes *types = nullptr);

}  // namespace tables
