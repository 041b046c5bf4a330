#include "db/JournalMode.h"

#include <QFile>
#include <QFileInfo>

#include <sys/vfs.h>

namespace db {

bool isNetworkFilesystemType(unsigned long type) {
    switch (type) {
    case 0x6969UL:      // NFS
    case 0x517BUL:      // SMB
    case 0xFF534D42UL:  // CIFS
    case 0xFE534D42UL:  // SMB2
    case 0x564C414EUL:  // NCP
    case 0x01021997UL:  // 9P (shared folders of virtual machines)
    case 0x00C36400UL:  // Ceph
    case 0x65735546UL:  // FUSE (sshfs, mounted shares)
    case 0x6B414653UL:  // AFS
    case 0x5346414FUL:  // OpenAFS
    case 0x47504653UL:  // GPFS
    case 0x0BD00BD0UL:  // Lustre
        return true;
    default: return false;
    }
}

JournalMode journalModeFor(const QString &path) {
    struct statfs info {};
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (::statfs(folder.constData(), &info) != 0)
        return JournalMode::WriteAheadLog;
    return isNetworkFilesystemType(static_cast<unsigned long>(info.f_type)) ? JournalMode::Rollback
                                                                             : JournalMode::WriteAheadLog;
}

QString journalModePragma(JournalMode mode) {
    return mode == JournalMode::Rollback ? QStringLiteral("PRAGMA journal_mode=DELETE")
                                         : QStringLiteral("PRAGMA journal_mode=WAL");
}

}  // namespace db
