// Copying one round's rows into the auction database: the heart of every import.
#pragma once

#include <QString>

namespace db {
class Database;
}

namespace importer {

enum class RoundDeletion {
    RoundRows,        // a single import: the round's old rows go first (re-importing replaces a round)
    WithdrawalsOnly,  // a batch import into a new auction: only "Withdrawal Statistics" is emptied
};

// For every table of sysSuppliedTables, in the order it returns them: "Withdrawal Statistics" is emptied, the
// other tables lose the round's rows (RoundRows only), then the round database's rows are appended, columns
// matched by name; then the round is recorded in sysRounds. All of it is one transaction: a failure or a killed
// process leaves the round wholly imported or not at all. The round database is attached for the copy only.
void copyRoundRows(db::Database &auction, const QString &roundPath, qint32 round, RoundDeletion deletion);

}  // namespace importer
