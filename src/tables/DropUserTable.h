// Dropping a user-defined table: refused for the supplied tables and the system tables; otherwise, after the
// user agrees, the table, its sysTables row and its sysWizard row go in one transaction. QtCore only; used by the
// data window's Drop Table and by lotwise-cli drop.
//
// Works on state.AuctionDb on the caller's thread and talks to the user through state.ui().
#pragma once

#include <QString>

#include <functional>

namespace app {
struct ModuleState;
}

namespace tables {

enum class DropOutcome { Dropped, Refused, Declined, Failed };

// Whether the table may be dropped: false for a supplied table (a row of sysSuppliedTables names it) and for a
// system table. A check that fails raises its db::Error: it never allows the drop.
bool mayDrop(const app::ModuleState &state, const QString &table);

// The whole command: the refusal "Access to " + table + " denied." (title "Access Denied"), or the Caution
// question; on Yes, `release` (may be empty) lets go of the table, then DROP TABLE and the two deletions run in
// one transaction. Errors show "Error " + number + ": " + description, with nothing dropped.
DropOutcome DropUserTable(app::ModuleState &state, const QString &table, const std::function<void()> &release);

}  // namespace tables
