#include "import/NewAuction.h"

#include "core/FileSync.h"
#include "core/ModuleState.h"
#include "core/AuctionDatabase.h"
#include "db/Database.h"
#include "db/Sqlite.h"
#include "import/LastImport.h"
#include "import/RetryPath.h"
#include "import/RoundCheck.h"
#include "import/RoundDatabase.h"
#include "import/RoundFileName.h"
#include "import/WorkFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

namespace importer {

namespace {

bool confirmReplacing(app::ModuleState &state, qint32 auction, const QString &path) {
    return state.ui().msgBox(QStringLiteral("Auction %1 already has an auction database:").arg(auction) + app::CR + path + app::CR +
                                 app::CR + QStringLiteral("Do you want to replace it with a new one? Every round imported "
                                                     "into it will be lost."),
                             {app::Buttons::YesNo, app::Icon::Exclamation, app::DefaultButton::Second},
                             QStringLiteral("New Auction")) == app::Answer::Yes;
}

// Raised when the auction database appeared while this run was making it.
constexpr int kFileAlreadyExists = 58;  // VB: File already exists

// Whether another program has the database at path open; a file that is not a database is not.
bool openElsewhere(const QString &path) {
    try {
        return QFileInfo::exists(path) && db::Database::inUseElsewhere(path);
    } catch (const db::Error &error) {
        if (error.number() == db::err::UnrecognizedFormat)
            return false;
        throw;
    }
}

// Puts the staged file in place. A database that was there when the user was asked is replaced (the user
// agreed); otherwise the name must still be free: another run of the program may have made the same auction
// meanwhile and opened it, and replacing a file under an open connection would lose what it writes.
void putInPlace(const QString &stagingPath, const QString &finalPath, qint32 auction, bool replacing) {
    if (!replacing) {
        if (!renameWithoutReplacing(stagingPath, finalPath))
            throw db::Error(kFileAlreadyExists,
                            QStringLiteral("File already exists: the auction database of auction %1 (%2) was made by "
                                           "another run of the program meanwhile. This new auction was not made; "
                                           "open that database instead.")
                                .arg(QString::number(auction), finalPath));
        return;
    }
    // Replacing the file under another program's open connection would lose what it writes there.
    if (openElsewhere(finalPath))
        throw db::Error(db::err::CouldNotLock,
                        QStringLiteral("Could not lock file. The auction database of auction %1 (%2) is open in another "
                                       "program, so it was not replaced. Close it there and try again.")
                            .arg(QString::number(auction), finalPath));
    // A log left beside an old database of that name would be applied to the new file.
    QFile::remove(finalPath + QStringLiteral("-wal"));
    QFile::remove(finalPath + QStringLiteral("-shm"));
    if (std::rename(QFile::encodeName(stagingPath).constData(), QFile::encodeName(finalPath).constData()) != 0)
        throw db::Error(db::err::FileAccess, QStringLiteral("Path/File access error: '%1'").arg(finalPath));
    app::syncFolder(QFileInfo(finalPath).absolutePath());
}

// Extracts round 1 under a staging name of this run, checks that its rows are of round 1 of the auction, adds
// the system tables in one transaction and puts the file in place.
void buildAuctionFile(app::ModuleState &state, const QString &zipPath, qint32 auction, db::schema::Creator creator,
                      const QString &finalPath, bool replacing) {
    const QString bare = SplitPath(zipPath, true);
    const QString staging = workFileName(QFileInfo(finalPath).fileName(), QStringLiteral("new"));
    const QString stagingPath = ExtractRoundDatabase(state.homeDir, zipPath, memberNameOf(bare), staging);
    try {
        {
            db::Database database = db::Database::open(stagingPath);
            checkRoundDatabase(database.handle(), QStringLiteral("main"), auction, 1, bare);
            db::Transaction transaction(database);
            db::schema::createSystemTables(database, creator, auction);
            transaction.commit();
        }
        putInPlace(stagingPath, finalPath, auction, replacing);
    } catch (...) {
        QFile::remove(stagingPath);
        QFile::remove(stagingPath + QStringLiteral("-wal"));
        QFile::remove(stagingPath + QStringLiteral("-shm"));
        throw;
    }
}

// True when the bare file name is a round results file name of round 1; otherwise shows why.
bool isRoundOneOrSayWhy(app::ModuleState &state, const QString &bareName) {
    const std::optional<RoundFile> file = parseRoundFileName(bareName);
    if (!file) {
        state.ui().msgBox(notARoundFileNameText(bareName), {app::Buttons::OK, app::Icon::Exclamation},
                          QStringLiteral("Not a Round Results File"));
        return false;
    }
    if (file->round == 1)
        return true;
    state.ui().msgBox(QStringLiteral("This file does not contain round 1!") + app::CR + QStringLiteral("           Please try again."),
                      {}, QStringLiteral("Wrong File"));
    return false;
}

}  // namespace

bool makeNewAuction(app::ModuleState &state, const QString &zipPath, db::schema::Creator creator) {
    const QString bare = SplitPath(zipPath, true);
    const qint32 auction = auctionOf(bare);
    state.ExtractAsName = QStringLiteral("Auction%1.mdb").arg(auction);
    const QString finalPath = QDir(state.homeDir).filePath(extractedName(state, memberNameOf(bare)));
    state.ExtractAsName.clear();
    const bool replacing = QFileInfo::exists(finalPath);
    if (replacing && !confirmReplacing(state, auction, finalPath))
        return false;
    if (state.AuctionDbPath == finalPath) {  // the database about to be replaced must not stay open
        state.AuctionDb = db::Database();
        state.AuctionDbPath.clear();
    }
    retryingPath(state, [&] { buildAuctionFile(state, zipPath, auction, creator, finalPath, replacing); });
    app::OpenAuctionDatabase(state, finalPath);
    return true;
}

QString roundOneFolder(const app::ModuleState &state) {
    const QString lastFolder = lastImportFolderQuietly(state);
    if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir())
        return lastFolder;
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!downloads.isEmpty() && QFileInfo(downloads).isDir())
        return downloads;
    // A folder that does not exist would be offered by the platform dialog as a file name to open.
    return QDir::homePath();
}

QString startNewAuction(app::ModuleState &state, int dialogFlags, db::schema::Creator creator) {
    removeStaleWorkFiles(state.homeDir);
    app::FileDialog dialog;
    dialog.filter = QStringLiteral("Zip (*.zip)|*.zip");
    dialog.initialDir = roundOneFolder(state);
    dialog.flags = dialogFlags;
    const QString path = state.ui().showOpen(dialog);
    if (path.isEmpty())
        return {};
    SaveLastImportPath(state, path);
    if (!isRoundOneOrSayWhy(state, SplitPath(path, true)))
        return {};
    if (!makeNewAuction(state, path, creator))
        return {};
    return path;
}

Creation creationFailure(app::ModuleState &state, const db::Error &error) {
    if (error.number() == db::err::DialogCancelled)
        return Creation::Cancelled;
    state.ui().msgBox(error.text(), {}, {});
    return Creation::Failed;
}

}  // namespace importer
