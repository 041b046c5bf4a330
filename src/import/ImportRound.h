// Importing one round results file into the open auction database: chosen in the file dialog, or (Auto Import)
// the next round's file in the folder of the last dialog import.
#pragma once

#include <QString>

namespace app {
struct ModuleState;
}

namespace importer {

// Imports one round and reports every outcome in message boxes. Returns true when a round was imported.
// With no auction database open it says so and returns false. Refused, with nothing changed: a name that is not
// a round results file name (RoundFileName.h), a file of another auction, an auction database that fails SQLite's
// quick check, a round database whose rows are of another auction or round (RoundCheck.h).
bool ImportRound(app::ModuleState &state, bool AutoImport);

// The next round's file in the last import folder: that folder + the auction number (two digits at least, as
// the files are named) + "_" + (last round + 1) with at least three digits + ".zip"; exactly "NOT FOUND" when no
// such file exists. Raises the errors of reading the auction (no round, no "Round Statistics").
QString NextRoundFileName(app::ModuleState &state);

}  // namespace importer
