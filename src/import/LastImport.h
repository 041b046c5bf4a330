// The last-import file lastimp.inf in the home directory: one line, the folder of the last round results file
// chosen in a file dialog, ending in "/", then CR LF. Auto Import looks for the next round's file there.
#pragma once

#include <QString>

namespace app {
struct ModuleState;
}

namespace importer {

// Stores the folder part of FilePath. A failure shows "Error:" + number + " " + description and returns.
void SaveLastImportPath(app::ModuleState &state, const QString &FilePath);

// The first line of the file; on failure (missing, unreadable, empty) shows the "Error:" message, naming the
// last-import file, and returns empty text.
QString ReadLastImportPath(app::ModuleState &state);

// The same line without telling the user anything: empty text when it cannot be read.
QString lastImportFolderQuietly(const app::ModuleState &state);

}  // namespace importer
