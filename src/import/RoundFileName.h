// Round results file names: "11_005.zip" holds auction 11, round 5, and the round database "11_005.mdb".
// Auction and round are read from the name alone, by position: characters 1-2 and 4-6 (counted from 1).
#pragma once

#include <QString>

namespace importer {

// The part of path after its last "/" (fileNamePart true), or the part up to and including it (false).
// A path without a "/" gives the whole path, or empty text.
QString SplitPath(const QString &path, bool fileNamePart);

// The whole number VB's CLng makes of a text: blanks around it ignored, a fraction rounded to even.
// Anything else, an empty text included, raises error 13 "Type mismatch"; beyond 32 bits, error 6 "Overflow".
qint32 wholeNumber(const QString &text);

// Positions 4-6 of the bare file name as a whole number (errors as wholeNumber).
qint32 roundOf(const QString &bareName);
// Positions 1-2 of the bare file name: as written, and as a whole number.
QString auctionTextOf(const QString &bareName);
qint32 auctionOf(const QString &bareName);

// The round database inside a round results file: the bare name less its last four characters, plus ".mdb".
QString memberNameOf(const QString &bareName);

// The round results file of a round: prefix + "_" + round with at least three digits + ".zip".
QString roundFileName(const QString &auctionPrefix, qint32 round);

}  // namespace importer
