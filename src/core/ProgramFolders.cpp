#include "core/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace app {

QString executableFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    return QFileInfo(self.canonicalFilePath()).absolutePath();
}

QString programDataFolder(const QString &relative, const char *environmentVariable) {
    const QString configured = qEnvironmentVariable(environmentVariable);
    const QString folder = !configured.isEmpty()
                               ? configured
                               : QDir(executableFolder()).filePath(QStringLiteral(LOTWISE_BIN_TO_DATA "/") + relative);
    return QFileInfo(folder).isDir() ? QDir(folder).absolutePath() : QString();
}

QString helperProgram(const QString &name) {
    const QDir bin(executableFolder());
    for (const QString &candidate : {bin.filePath(name), bin.filePath(QStringLiteral(LOTWISE_BIN_TO_LIBEXEC "/") + name)}) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isExecutable())
            return info.absoluteFilePath();
    }
    return {};
}

}  // namespace app
