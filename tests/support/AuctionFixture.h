// Auction databases built from the round files of tests/data the way the program builds them: round 1's
// database becomes the auction database and gets the system tables, then each further round's rows are
// appended with the import statements (delete the round's rows, INSERT INTO ... IN "auction" SELECT *).
#pragma once

#include "db/Schema.h"
#include "support/TestSupport.h"

#include <QString>

namespace testsupport {

// The round database of one round file (e.g. set "auction-11", round 5), extracted and converted into dir.
QString roundDatabase(const ScratchDir &dir, const QString &set, int round);

// An auction database in dir holding rounds 1..lastRound of the set; its path.
QString buildAuction(const ScratchDir &dir, const QString &set, int lastRound,
                     db::schema::Creator creator = db::schema::Creator::RoundFile);

// Imports one round into an open auction database with the import statements.
void importRound(const QString &auctionPath, const QString &roundPath, int round);

}  // namespace testsupport
