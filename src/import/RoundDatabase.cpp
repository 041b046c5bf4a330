#include "import/RoundDatabase.h"

#include "app/ModuleState.h"
#include "db/Error.h"
#include "import/ZipExtract.h"
#include "jet/FileFormat.h"
#include "jet/JetConverter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace importer {

QString extractedName(const app::ModuleState &state, const QString &member) {
    return state.ExtractAsName.isEmpty() ? member : state.ExtractAsName;
}

QString ExtractRoundDatabase(const QString &homeDir, const QString &zipPath, const QString &member,
                             const QString &destName) {
    const QDir home(homeDir);
    const QString raw =
        extractMember(zipPath, member, homeDir, u'.' + destName + QStringLiteral(".zipped"), homeDir);
    const QString dest = home.filePath(destName);
    struct Cleanup {
        QString path;
        ~Cleanup() { QFile::remove(path); }
    } cleanup{raw};
    // Messages name the round database as the user knows it, not the hidden name it was extracted under.
    try {
        switch (jet::detectFormat(raw)) {
        case jet::FileFormat::Jet3:
        case jet::FileFormat::Jet4: jet::convertToSqlite(raw, dest); break;
        case jet::FileFormat::Sqlite:
            QFile::remove(dest);
            if (!QFile::rename(raw, dest))
                throw db::Error(db::err::FileAccess, QStringLiteral("Path/File access error: '%1'").arg(dest));
            break;
        default: throw db::Error::unrecognizedFormat(dest);
        }
    } catch (const db::Error &error) {
        if (error.number() == db::err::UnrecognizedFormat)
            throw db::Error::unrecognizedFormat(dest);
        throw;
    }
    return dest;
}

void removeStaleWorkFiles(const QString &homeDir) {
    static const QRegularExpression workFile(QStringLiteral("^\\..+\\.(zipped|part|new|new-wal|new-shm)$"));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-15 * 60);
    const QDir home(homeDir);
    for (const QFileInfo &file : home.entryInfoList(QDir::Files | QDir::Hidden)) {
        if (workFile.match(file.fileName()).hasMatch() && file.lastModified() < before)
            QFile::remove(file.absoluteFilePath());
    }
}

}  // namespace importer
