// Compaction: VACUUM INTO a work file beside the database, then an atomic rename over it.
#include "db/Database.h"

#include "db/Sqlite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>

namespace db {

namespace {

QString workFileFor(const QString &path) { return path + QStringLiteral(".reorg"); }

// Flushes a file or folder to disk, so that the rename never exposes a file whose data is not written yet.
bool syncPath(const QString &path, bool directory) {
    const int fd = ::open(QFile::encodeName(path).constData(), directory ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

void writeCompactedCopy(const QString &path, const QString &work) {
    Database source = Database::open(path);
    Statement vacuum(source.handle(), QStringLiteral("VACUUM INTO ?1"), {{}, {}, path});
    vacuum.bind(1, work);
    vacuum.step();
}

}  // namespace

void Database::compact(const QString &path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QString work = workFileFor(absolute);
    QFile::remove(work);  // a stale copy from an interrupted run
    try {
        writeCompactedCopy(absolute, work);
        // The last connection has closed and checkpointed its log; a log that is still there belongs to
        // another program that has the database open, and would not match the new file.
        if (QFileInfo::exists(absolute + QStringLiteral("-wal")))
            throw Error(3050, QStringLiteral("Could not lock file."));
        if (!syncPath(work, false))
            throw Error(err::DiskError, QStringLiteral("Disk or network error."));
        if (std::rename(QFile::encodeName(work).constData(), QFile::encodeName(absolute).constData()) != 0)
            throw Error(err::FileAccess, QStringLiteral("Path/File access error: '%1'").arg(absolute));
        syncPath(QFileInfo(absolute).absolutePath(), true);
    } catch (...) {
        QFile::remove(work);
        throw;
    }
}

}  // namespace db
