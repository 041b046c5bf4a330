// What a converted round database must be before any of it is written into an auction database: its file name
// alone says which auction and round it holds, so its rows must agree, and its names must be usable in the
// bracketed Jet statements the program runs on the auction later.
#pragma once

#include <QString>

struct sqlite3;

namespace importer {

// Checks the round database open (or attached) on `connection` as `schema` ("main" or an attachment's alias):
// - no table or column name holds "[" or "]";
// - every table with an [Auction ID] column holds only `auction` there (NULL aside);
// - every table with a [Round] column holds only `round` there (a NULL round is refused: sysRounds could never
//   list it, and no later import could replace it).
// One query per table, stopping at the first wrong row. Raises db::Error 321 naming `fileName` (the round
// results file) and the table. Reads only; used on the connection's thread.
void checkRoundDatabase(sqlite3 *connection, const QString &schema, qint32 auction, qint32 round,
                        const QString &fileName);

}  // namespace importer
