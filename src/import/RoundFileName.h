// Round results file names: "11_005.zip" holds auction 11, round 5, and the round database "11_005.mdb".
// Auction and round are read from the name alone, by position: characters 1-2 and 4-6 (counted from 1).
#pragma once

#include <QString>

#include <optional>

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

// A name that is accepted as a round results file: two digits, "_", three digits, ".zip" (the extension in any
// case), such as 11_005.zip. Rounds above 999 have four digits, as roundFileName forms them (11_1000.zip); a
// four-digit round below 1000 (11_0005.zip) and round 0 are refused. Anything else gives no value: its digits
// would be read as some other round (or auction), and its rows kept under a round sysRounds does not list.
struct RoundFile {
    qint32 auction = 0;
    qint32 round = 0;
    QString auctionText;  // the two digits as written, for the names of the following rounds' files
};
std::optional<RoundFile> parseRoundFileName(const QString &bareName);

// The message for a name parseRoundFileName refuses: the name, and what a round results file is called.
QString notARoundFileNameText(const QString &bareName);

// The round database inside a round results file: the bare name less its last four characters, plus ".mdb".
QString memberNameOf(const QString &bareName);

// The round results file of a round: prefix + "_" + round with at least three digits + ".zip".
QString roundFileName(const QString &auctionPrefix, qint32 round);

}  // namespace importer
