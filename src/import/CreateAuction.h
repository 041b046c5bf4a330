// Creating a new auction from its round 1 results file, and importing a whole new auction from a folder of round
// results files. Both report every outcome in message boxes.
#pragma once

namespace app {
struct ModuleState;
}

namespace importer {

// Returns true when the auction database was created (and is open).
bool CreateAuction(app::ModuleState &state);

// Returns true when the auction database was created (and is open), however many rounds followed round 1.
bool BatchImport(app::ModuleState &state);

}  // namespace importer
