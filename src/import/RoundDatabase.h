// The round database of a round results file, ready to be read: the zip's member extracted into the home
// directory and converted from Jet into an SQLite file. Only a Jet member is accepted: the round database becomes
// part of the auction (round 1 becomes the auction database itself), so an SQLite member, which may carry
// triggers, views or anything else SQLite keeps, is refused like any other foreign file (3343).
#pragma once

#include <QString>

namespace app {
struct ModuleState;
}

namespace importer {

// The name the member is written under: ExtractAsName when set, else the member's own name.
QString extractedName(const app::ModuleState &state, const QString &member);

// Extracts `member` of the archive at zipPath into the home directory homeDir, converts it into the SQLite file
// destName (a work file name unique to the run, see WorkFile.h) and returns its path. The file appears whole or
// not at all. Messages name the member as the user knows it. Thread-safe.
QString ExtractRoundDatabase(const QString &homeDir, const QString &zipPath, const QString &member,
                             const QString &destName);

}  // namespace importer
