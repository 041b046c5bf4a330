// Converting a Jet file (Jet 3, Jet 4, ACE) into an SQLite file, in the child process lotwise-mdb2sqlite.
//
// libmdb is not hardened against damaged files, so it never runs in the program's process: the child runs under
// a processor-time and memory limit and a wall-clock timeout, and whatever it does (crash, loop, garbage report)
// ends here as a db::Error. The result appears at its destination only when complete: the child writes a hidden
// temporary file beside it, which is renamed into place on success and removed on any failure.
#pragma once

#include <QString>

namespace jet {

// Converts `jetPath` into the SQLite file `sqlitePath`, replacing any file already there. Every user table is
// kept with its columns, declared types (db/ColumnType.h) and rows. A file that is already SQLite is copied
// unchanged, without the child. Blocks until done (seconds for a large file: call it off the GUI thread);
// thread-safe.
//
// Throws db::Error: 53 when `jetPath` does not exist, 76 when the destination folder does not, 75 when `jetPath`
// cannot be read or the destination cannot be written, 3043 on a disk error, 3343 "Unrecognized database format 'jetPath'." when
// the file is neither Jet nor SQLite, is damaged, or the child crashes or runs out of time; 3000 when the
// converter program cannot be started.
void convertToSqlite(const QString &jetPath, const QString &sqlitePath);

}  // namespace jet
