// What kind of database file a path holds, told by its first bytes, never by its name.
#pragma once

#include <QString>

namespace jet {

enum class FileFormat { Missing, Jet3, Jet4, Sqlite, Unknown };

// Missing when nothing is at `path`; Unknown for anything that is not a regular, readable file with a Jet
// ("Standard Jet DB"/"Standard ACE DB", ACE read as Jet 4) or SQLite signature. Reads at most 32 bytes and never
// opens anything but a regular file, so a FIFO or device cannot block it. Thread-safe.
FileFormat detectFormat(const QString &path);

}  // namespace jet
