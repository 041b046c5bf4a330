// Making a new auction database from its round 1 results file, shared by CreateAuction and BatchImport.
#pragma once

#include "db/Schema.h"

#include <QString>

namespace app {
struct ModuleState;
}
namespace db {
class Error;
}

namespace importer {

// The round 1 file's bare name must be a round results file name of round 1; the caller has checked it. When
// "Auction" + n + ".mdb" already exists in the home directory the user is asked whether to replace it (No is the
// default; on No nothing changes and false is returned). The round 1 database is extracted under a hidden staging
// name of this run, its rows are checked to be of auction n and round 1 (checkRoundDatabase), the system tables
// are added in one transaction and only then is the file put in place under ExtractAsName ("Auction" + n +
// ".mdb"), so a failure or a killed process never leaves half an auction database. When no database was there
// when checked, none is replaced: one made meanwhile by another run raises 58 and this one is dropped. The new
// database is then opened with OpenAuctionDatabase.
bool makeNewAuction(app::ModuleState &state, const QString &zipPath, db::schema::Creator creator);

// The file dialog for a round 1 file, starting in the download folder; cancelling raises 32755.
QString chooseRoundOne(app::ModuleState &state, int flags);

// True when the bare file name is a round results file name of round 1; otherwise shows why ("Wrong File" for
// another round).
bool isRoundOneOrSayWhy(app::ModuleState &state, const QString &bareName);

// The end of a creation that failed: a cancelled dialog runs the opening choice again, anything else is shown.
void reportCreationFailure(app::ModuleState &state, const db::Error &error);

}  // namespace importer
