// The Table Wizard's make-table: builds the new table from its statement and records it, in sysTables (so the
// data windows list it) and in sysWizard (so every later import builds it again from the statement as stored).
// The three statements run in one transaction: a failure in any of them leaves no table and no record.
//
// The name is quoted where the records quote it (its apostrophes and the statement's double quotes doubled), so
// the stored [SQL String] is exactly the statement that ran.
//
// Runs on the thread that owns the database handle. Raises db::Error.
#pragma once

#include <QString>

namespace db {
class Database;
}

namespace tables {

// The longest name sysWizard's [Table Name] holds.
inline constexpr int kWizardNameLength = 65;

// Why a name cannot be given to a new table (empty, longer than kWizardNameLength characters, holding a bracket,
// which would end the bracketed name early); empty text when it can.
QString wizardNameProblem(const QString &name);

// Runs the statement and records the table under name. A name with a problem raises db::Error 3000 with the
// problem as its description before anything runs; an engine error (3010: the table exists) leaves nothing.
void makeWizardTable(db::Database &database, const QString &name, const QString &statement);

}  // namespace tables
