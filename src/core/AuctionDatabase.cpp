#include "core/AuctionDatabase.h"

#include "core/FileFormat.h"
#include "core/JetConverter.h"
#include "core/ModuleState.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "db/Sqlite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace app {

using db::Database;
using db::Error;
namespace err = db::err;
namespace schema = db::schema;

namespace {

// What the converted tables lack: the key of sysQueryBuilder and the [Round] indexes of the supplied tables.
void completeConvertedSchema(const QString &path) {
    Database copy = Database::open(path);
    db::Transaction transaction(copy);
    if (copy.tableExists(QStringLiteral("sysQueryBuilder")))
        copy.execute(QStringLiteral("ALTER TABLE [sysQueryBuilder] ADD CONSTRAINT [Primary] PRIMARY KEY ([Txt5])"));
    if (copy.tableExists(QStringLiteral("sysSuppliedTables")))
        schema::createRoundIndexes(copy);
    transaction.commit();
}

QString convertLegacy(ModuleState &state, const QString &path) {
    const QString copy = convertedCopyPath(path, state.homeDir);
    if (QFileInfo::exists(copy)) {
        state.ui().msgBox(QStringLiteral("This auction database was kept by the earlier Windows program and has "
                                         "already been converted:") +
                              CR + copy + CR + CR +
                              QStringLiteral("Lotwise opens the converted database. The original file is kept unchanged."),
                          {Buttons::OK, Icon::Information}, {});
        return copy;
    }
    const QString staging = QFileInfo(copy).absoluteDir().filePath(u'.' + QFileInfo(copy).fileName() + QStringLiteral(".new"));
    // The log of a conversion killed part way would be applied to the new staging file.
    QFile::remove(staging + QStringLiteral("-wal"));
    QFile::remove(staging + QStringLiteral("-shm"));
    try {
        jet::convertToSqlite(path, staging);
        completeConvertedSchema(staging);
        if (!QFile::rename(staging, copy))
            throw Error(err::FileAccess, QStringLiteral("Path/File access error: '%1'").arg(copy));
    } catch (...) {
        QFile::remove(staging);
        throw;
    }
    state.ui().msgBox(QStringLiteral("This auction database was kept by the earlier Windows program:") + CR + path + CR +
                          CR + QStringLiteral("It has been converted into a Lotwise auction database:") + CR + copy + CR +
                          CR + QStringLiteral("The original file is kept unchanged. Open the new file from now on."),
                      {Buttons::OK, Icon::Information}, {});
    return copy;
}

}  // namespace

QString convertedCopyPath(const QString &jetPath, const QString &homeDir) {
    const QFileInfo info(jetPath);
    const QString name = info.completeBaseName() + QStringLiteral("-lotwise.mdb");
    const QFileInfo folder(info.absolutePath());
    return QDir(folder.isWritable() ? info.absolutePath() : homeDir).filePath(name);
}

// SQLite itself tells first whether the file is an SQLite database: the file is read outside SQLite only when it
// is not one, since closing another descriptor of a file that this process has open in SQLite drops its locks.
void OpenAuctionDatabase(ModuleState &state, const QString &path) {
    QString target = QFileInfo(path).absoluteFilePath();
    Database opened;
    try {
        opened = Database::open(target);
    } catch (const Error &error) {
        if (error.number() != err::UnrecognizedFormat)
            throw;
        const jet::FileFormat format = jet::detectFormat(target);
        if (format != jet::FileFormat::Jet3 && format != jet::FileFormat::Jet4)
            throw;
        target = convertLegacy(state, target);
        opened = Database::open(target);
    }
    state.AuctionDb = std::move(opened);
    state.AuctionDbPath = target;
}

}  // namespace app
