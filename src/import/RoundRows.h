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

// The round of the round database at roundPath, which must be of `auction` (checkRoundDatabase, with fileName
// named in its messages), is copied: for every table of sysSuppliedTables, in the order it returns them, the
// other tables lose the round's rows (RoundRows only), then the round database's rows are appended, columns
// matched by name; then the round is recorded in sysRounds. "Withdrawal Statistics" holds the current list of
// withdrawals as of its file's round, so it is replaced (emptied, then filled) only when the round is not older
// than any round already imported: an older round brought in later keeps the newer list. All of it is one
// transaction: a failure or a killed process leaves the round wholly imported or not at all. The round database
// is attached for the copy only.
void copyRoundRows(db::Database &auction, const QString &roundPath, qint32 auctionId, qint32 round,
                   RoundDeletion deletion, const QString &fileName);

}  // namespace importer
