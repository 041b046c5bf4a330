// Work files in the home directory: round databases being extracted or converted and auction databases being
// staged. Two runs of the program may share one home directory (the desktop program and a script running
// lotwise-cli), so every work file gets a hidden name unique to the run that carries the owner's process id;
// the sweep of files left by killed runs can then tell an abandoned file from one that is in use.
#pragma once

#include <QString>

namespace importer {

// "." + base + ".lw-" + process id + "-" + counter + "-" + random part + "." + kind, for example
// ".11_005.mdb.lw-4242-3-9f1c.round". Unique within the process (the counter) and across processes (the id and
// the random part). Thread-safe.
QString workFileName(const QString &base, const QString &kind);

// Removes the work files of the home directory that no running import or creation uses:
// - files named by workFileName (and the logs and temporary files beside them) whose owner process is not
//   running, or that are older than a day (the owner's process id then belongs to another program);
// - hidden work files of the fixed names earlier versions used, once older than 15 minutes.
// Other files are left alone.
void removeStaleWorkFiles(const QString &homeDir);

// Renames `from` to `to` only if nothing is at `to`; returns false (with `from` still in place) when something
// is. Then syncs the folder of `to`, so that the name survives a power loss. Other failures raise 75.
bool renameWithoutReplacing(const QString &from, const QString &to);

}  // namespace importer
