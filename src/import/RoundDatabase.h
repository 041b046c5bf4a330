// The round database of a round results file, ready to be read: the zip's member extracted into the home
// directory and, when it is a Jet file, converted into an SQLite file of the same name (an SQLite member passes
// through as it is; anything else raises 3343).
#pragma once

#include <QString>

namespace app {
struct ModuleState;
}

namespace importer {

// The name the member is written under: ExtractAsName when set, else the member's own name.
QString extractedName(const app::ModuleState &state, const QString &member);

// Extracts `member` of the archive at zipPath into the home directory homeDir under destName and returns its
// path. The file appears whole or not at all; an older file of that name is replaced. Thread-safe.
QString ExtractRoundDatabase(const QString &homeDir, const QString &zipPath, const QString &member,
                             const QString &destName);

// Removes the hidden work files that an import or creation killed part way left in the home directory (files
// being extracted, converted or staged), once they are older than any running import could make them.
void removeStaleWorkFiles(const QString &homeDir);

}  // namespace importer
