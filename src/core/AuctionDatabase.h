// Opening an auction database into the module state.
//
// An auction database kept by the earlier Windows program is a Jet file: it is converted into an SQLite auction
// database beside it (or in the home directory when its folder cannot be written), the original is kept
// unchanged, the user is told, and the copy is opened. A copy made earlier is opened again rather than made anew,
// so rounds imported into it are never lost.
#pragma once

#include <QString>

namespace app {

struct ModuleState;

// Sets AuctionDb and AuctionDbPath; the previous database, if any, is let go. Failures raise db::Error.
void OpenAuctionDatabase(app::ModuleState &state, const QString &path);

// Where the converted copy of a Jet auction database goes: "<name>-lotwise.mdb" beside it, or in homeDir.
QString convertedCopyPath(const QString &jetPath, const QString &homeDir);

}  // namespace app
