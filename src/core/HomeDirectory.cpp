#include "core/HomeDirectory.h"

#include "db/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace app {

void ensureDirectory(const QString &path) {
    if (QFileInfo(path).isDir())
        return;
    if (!QDir().mkpath(path))
        throw db::Error::pathNotFound(path);
}

QString resolveHomeDirectory(const QString &commandLineHome) {
    QString home = commandLineHome;
    if (home.isEmpty())
        home = qEnvironmentVariable("LOTWISE_HOME");
    if (home.isEmpty())
        home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Lotwise");
    home = QFileInfo(home).absoluteFilePath();
    ensureDirectory(home);
    return QDir(home).canonicalPath();
}

}  // namespace app
