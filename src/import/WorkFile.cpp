#include "import/WorkFile.h"

#include "core/FileSync.h"
#include "db/Error.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <limits>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace importer {

namespace {

// True unless the process certainly does not exist (EPERM: it exists but belongs to another user).
bool processRunning(qint64 pid) {
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

bool isStale(const QFileInfo &file) {
    // The owner's marker anywhere in the name: SQLite's logs ("-wal", "-journal") and the converter's and the
    // zip reader's temporary files are named after the work file they belong to.
    static const QRegularExpression owned(QStringLiteral("^\\..*\\.lw-(\\d+)-\\d+-[0-9a-f]+\\.(zipped|round|new)"));
    static const QRegularExpression fixed(QStringLiteral("^\\..+\\.(zipped|part|new|new-wal|new-shm)$"));
    const QDateTime now = QDateTime::currentDateTime();
    const QRegularExpressionMatch match = owned.match(file.fileName());
    if (match.hasMatch())
        return !processRunning(match.captured(1).toLongLong()) || file.lastModified() < now.addDays(-1);
    return fixed.match(file.fileName()).hasMatch() && file.lastModified() < now.addSecs(-15 * 60);
}

}  // namespace

QString workFileName(const QString &base, const QString &kind) {
    static std::atomic<quint64> counter{0};
    // Joined, not formatted with arg(): a base name holding "%1" must stay as it is.
    return u'.' + base + QStringLiteral(".lw-") + QString::number(QCoreApplication::applicationPid()) + u'-' +
           QString::number(++counter) + u'-' +
           QStringLiteral("%1").arg(QRandomGenerator::global()->generate() & 0xffff, 4, 16, QChar(u'0')) + u'.' + kind;
}

void removeStaleWorkFiles(const QString &homeDir) {
    const QDir home(homeDir);
    for (const QFileInfo &file : home.entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
        if (isStale(file))
            QFile::remove(file.absoluteFilePath());
}

bool renameWithoutReplacing(const QString &from, const QString &to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    const auto refused = [&] {
        return db::Error(db::err::FileAccess, QStringLiteral("Path/File access error: '%1'").arg(to));
    };
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) != 0) {
        if (errno == EEXIST)
            return false;
        if (errno != EINVAL && errno != ENOSYS)
            throw refused();
        // A file system without the flag: a hard link fails just as surely when the name is taken.
        if (::link(source.constData(), target.constData()) == 0) {
            ::unlink(source.constData());
        } else if (errno == EEXIST) {
            return false;
        } else if (errno == EPERM || errno == EOPNOTSUPP || errno == ENOSYS) {
            // Nor hard links (FAT, some network shares): the name is looked at just before the rename, which
            // leaves a window of a moment instead of the whole creation.
            if (QFileInfo::exists(to))
                return false;
            if (std::rename(source.constData(), target.constData()) != 0)
                throw refused();
        } else {
            throw refused();
        }
    }
    app::syncFolder(QFileInfo(to).absolutePath());
    return true;
}


}  // namespace importer
