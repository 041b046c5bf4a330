// The program-wide state: one instance for the whole program, made by the entry point (desktop program or
// command line) and handed by reference to the procedures that need it. Used on one thread.
#pragma once

#include "core/Prompter.h"
#include "db/Database.h"

#include <QString>

namespace app {

struct ModuleState {
    // homeDir must exist; prompter must outlive the state. There is no state without a way to reach the user.
    ModuleState(const QString &homeDir, Prompter &prompter);

    db::Database AuctionDb;       // the open auction database; not open before one is opened
    QString AuctionDbPath;        // its full path; empty while no auction is open
    QString LastImportFile;       // home directory + "/lastimp.inf"
    QString ExtractAsName;        // the name the next extracted round database is written under; empty but
                                  // while a new auction's round 1 file is extracted
    QString RebuildingTableName;  // the Query Builder table being rebuilt, for its failure message

    QString homeDir;              // where auction databases are created and round databases extracted

    Prompter &ui() const { return *prompter_; }
    bool auctionOpen() const { return !AuctionDbPath.isEmpty(); }

private:
    Prompter *prompter_;  // never null: set from a reference, kept as a pointer so the state stays movable
};

// The state of a program whose home directory is homeDir (which must exist) and whose user is reached through
// prompter (which must outlive the state).
ModuleState makeModuleState(const QString &homeDir, Prompter &prompter);

}  // namespace app
