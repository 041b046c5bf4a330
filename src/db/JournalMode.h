// Which journal an auction database uses. The write-ahead log needs memory shared by every process that has the
// file open, which only works on one machine: on a network filesystem (NFS, SMB/CIFS and the like) two machines
// would each keep their own and corrupt the file. There the database uses SQLite's rollback journal, whose file
// locks the server coordinates.
//
// Pure functions apart from the statfs() call; safe from any thread.
#pragma once

#include <QString>

namespace db {

enum class JournalMode { WriteAheadLog, Rollback };

// Whether a filesystem type (statfs's f_type) is one shared over a network.
bool isNetworkFilesystemType(unsigned long type);

// The journal for a database file at path, by the filesystem of its folder; WriteAheadLog when that cannot be told.
JournalMode journalModeFor(const QString &path);

// The pragma that sets the mode: "PRAGMA journal_mode=WAL" or "PRAGMA journal_mode=DELETE".
QString journalModePragma(JournalMode mode);

}  // namespace db
