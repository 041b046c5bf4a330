// The SQL Query Builder's core: the stored rows of sysQueryBuilder (one named make-table query each, clause by
// clause) and running one of them into its table. QtCore only; the window (tables/frmSql.h), the data window and
// lotwise-cli all go through it.
//
// Every function works on the caller's open auction database, on the caller's thread; database failures are
// raised as db::Error unless the function says it reports them.
#pragma once

#include "import/QueryStatement.h"

#include <QList>
#include <QString>

#include <functional>

namespace app {
struct ModuleState;
}

namespace db {
class Database;
}

namespace tables {

// One row of sysQueryBuilder: its name (Txt5, the key) and its clauses (Txt0 to Txt4).
struct QueryRow {
    QString name;
    importer::QueryClauses clauses;
    bool operator==(const QueryRow &other) const;
};

// Every stored row, in the order they were stored.
QList<QueryRow> loadQueries(const db::Database &database);

// Stores a row: a new one when storedName is empty, else it replaces the row stored under storedName (which may
// rename it). Refused, with nothing written, when the name is blank or another row has it (names compare without
// regard to case, as the key does): the reason comes back, empty text on success. Clause texts are stored exactly
// as given.
QString saveQuery(db::Database &database, const QString &storedName, const QueryRow &row);

// Deletes the row of that name, if there is one.
void deleteQuery(db::Database &database, const QString &name);

// Why this row may not build its table, or empty text: the target must be a new table or the table this row
// builds (the row stored under storedName names it); never a supplied, system or Table Wizard table, nor the
// table another row builds. `target` is the table the statement creates.
QString targetRefusal(const db::Database &database, const QString &storedName, const QString &target);

// Lets go of every data window that shows the table (given without brackets), so that it can be dropped.
using ReleaseTable = std::function<void(const QString &table)>;

// How many times a table still held after its windows were released is tried before the failure is reported.
inline constexpr int kHeldTableTries = 3;

// Builds the row's table as the data window's Run does. storedName is the name the row is stored under (empty
// for a row not stored yet); it decides which table is the row's own (targetRefusal). Reports through
// state.ui(): the required fields message, a refused target, "Error " + number + ": " + description, or the
// finishing message. The old table is dropped and the new one built in one transaction, with its one sysTables
// row: a failure keeps the old table and its row. A held target is released through `release` (may be empty)
// and tried again, at most kHeldTableTries times. True when the table was built.
bool runQuery(app::ModuleState &state, const QString &storedName, const QueryRow &row, const ReleaseTable &release);

// The finishing message of a build, with its character 13 joints.
QString finishedMessage(const QString &table);

}  // namespace tables
