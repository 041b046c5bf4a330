// Converts a Jet file into a new SQLite file: every user table with its columns in Jet order, its declared types
// (db/ColumnType.h) and its rows, in one transaction, synced to the disk before returning.
#pragma once

#include <string>

namespace jet {

// `out` must not exist; it is removed again on any failure. Raises ConvertError (53 missing input, 75/76 for the
// output path, 3043 disk error) or DamagedFile (not a Jet file, or damaged). Not thread-safe: libmdb keeps
// process-wide state, so the converter runs it in its own process.
void convertJetToSqlite(const std::string &in, const std::string &out);

}  // namespace jet
