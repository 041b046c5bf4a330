// Making a new auction database from its round 1 results file, shared by CreateAuction and BatchImport.
#pragma once

#include "db/Schema.h"
#include "import/CreateAuction.h"

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

// The start shared by CreateAuction and BatchImport: asks for the round 1 file with the file dialog (cancelling
// raises 32755), stores its folder as the last import folder, checks that it is a round 1 file ("Wrong File" or
// "Not a Round Results File" otherwise) and makes the new auction with makeNewAuction. Returns the chosen path
// once the new auction is open; empty text when the user chose nothing, the file was refused or the user would
// not replace an existing auction (each already told).
QString startNewAuction(app::ModuleState &state, int dialogFlags, db::schema::Creator creator);

// The folder the round 1 file dialog starts in: the last import folder, else the user's download folder, else the
// user's home folder (whichever exists first). Reading the last-import file here tells the user nothing.
QString roundOneFolder(const app::ModuleState &state);

// How a creation that raised error ends: a cancelled file dialog is Cancelled (shown to nobody), any other error
// is shown as "Error:" + number + " " + description and is Failed.
Creation creationFailure(app::ModuleState &state, const db::Error &error);

}  // namespace importer
