#include "import/RoundDatabase.h"

#include "core/ModuleState.h"
#include "db/Error.h"
#include "import/WorkFile.h"
#include "import/ZipExtract.h"
#include "core/FileFormat.h"
#include "core/JetConverter.h"

#include <QDir>
#include <QFile>

namespace importer {

QString extractedName(const app::ModuleState &state, const QString &member) {
    return state.ExtractAsName.isEmpty() ? member : state.ExtractAsName;
}

QString ExtractRoundDatabase(const QString &homeDir, const QString &zipPath, const QString &member,
                             const QString &destName) {
    const QDir home(homeDir);
    const QString raw =
        extractMember(zipPath, member, homeDir, workFileName(member, QStringLiteral("zipped")), homeDir);
    const QString dest = home.filePath(destName);
    struct Cleanup {
        QString path;
        ~Cleanup() { QFile::remove(path); }
    } cleanup{raw};
    // Messages name the round database as the user knows it, not the hidden name it was extracted under.
    const QString shownName = home.filePath(member);
    try {
        const jet::FileFormat format = jet::detectFormat(raw);
        if (format == jet::FileFormat::Sqlite)
            throw db::Error(db::err::UnrecognizedFormat,
                            QStringLiteral("Unrecognized database format '%1': it is an SQLite file, and a round "
                                           "results file holds a Jet database.")
                                .arg(shownName));
        if (format != jet::FileFormat::Jet3 && format != jet::FileFormat::Jet4)
            throw db::Error::unrecognizedFormat(shownName);
        jet::convertToSqlite(raw, dest);
    } catch (const db::Error &error) {
        if (error.number() == db::err::UnrecognizedFormat && !error.description().contains(shownName))
            throw db::Error::unrecognizedFormat(shownName);
        throw;
    }
    return dest;
}

}  // namespace importer
