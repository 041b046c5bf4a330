// Creating a new auction from its round 1 results file, and importing a whole new auction from a folder of round
// results files. Both report every outcome in message boxes and return it to the caller, which decides what
// comes next: the opening choice asks again when no auction is open afterwards.
#pragma once

namespace app {
struct ModuleState;
}

namespace importer {

enum class Creation {
    Created,    // done: the new auction database is open
    Failed,     // not done, and the user has been told why: a refused file, a declined replacement, an error
    Cancelled,  // the user cancelled the file dialog; nothing was shown and nothing made
};

Creation CreateAuction(app::ModuleState &state);

// Created when every round up to the first missing file (or up to the user's stop) was imported. Failed when an
// error was shown: if round 1 had made the auction by then, it stays open with the rounds imported before the error.
Creation BatchImport(app::ModuleState &state);

}  // namespace importer
