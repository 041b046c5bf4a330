// Flushing files and folders to disk, so that a file put in place by a rename survives a power loss whole.
// Thread-safe.
#pragma once

#include <QString>

namespace app {

// Flushes a file's data; raises db::Error 3043 when it cannot.
void syncFile(const QString &path);

// Flushes a folder's entries (a rename into it), as far as the file system allows; failures are not raised.
void syncFolder(const QString &folder);

}  // namespace app
