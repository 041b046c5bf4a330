#include "import/NewAuction.h"

#include "app/ModuleState.h"
#include "db/AuctionDatabase.h"
#include "db/Database.h"
#include "db/TableCopy.h"
#include "import/RetryPath.h"
#include "import/RoundDatabase.h"
#include "import/RoundFileName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace importer {

namespace {

bool confirmReplacing(app::ModuleState &state, qint32 auction, const QString &path) {
    if (!QFileInfo::exists(path))
        return true;
    return state.ui().msgBox(QStringLiteral("Auction %1 already has an auction database:").arg(auction) + app::CR + path + app::CR +
                                 app::CR + QStringLiteral("Do you want to replace it with a new one? Every round imported "
                                                     "into it will be lost."),
                             {app::Buttons::YesNo, app::Icon::Exclamation, app::DefaultButton::Second},
                             QStringLiteral("New Auction")) == app::Answer::Yes;
}

// Extracts round 1 under a staging name, adds the system tables in one transaction and puts the file in place.
void buildAuctionFile(app::ModuleState &state, const QString &zipPath, const QString &member, qint32 auction,
                      db::schema::Creator creator, const QString &finalPath) {
    const QString staging = u'.' + QFileInfo(finalPath).fileName() + QStringLiteral(".new");
    // A creation killed after its commit leaves the staging file's log behind, which SQLite would apply to the
    // new staging file (the system tables would then exist already, or worse).
    const QString stalePath = QDir(state.homeDir).filePath(staging);
    QFile::remove(stalePath + QStringLiteral("-wal"));
    QFile::remove(stalePath + QStringLiteral("-shm"));
    const QString stagingPath = ExtractRoundDatabase(state.homeDir, zipPath, member, staging);
    try {
        {
            db::Database database = db::Database::open(stagingPath);
            db::Transaction transaction(database);
            db::schema::createSystemTables(database, creator, auction);
            transaction.commit();
        }
        // A log left beside an old database of that name would be applied to the new file.
        QFile::remove(finalPath + QStringLiteral("-wal"));
        QFile::remove(finalPath + QStringLiteral("-shm"));
        QFile::remove(finalPath);
        if (!QFile::rename(stagingPath, finalPath))
            throw db::Error(db::err::FileAccess, QStringLiteral("Path/File access error: '%1'").arg(finalPath));
    } catch (...) {
        QFile::remove(stagingPath);
        throw;
    }
}

}  // namespace

bool makeNewAuction(app::ModuleState &state, const QString &zipPath, db::schema::Creator creator) {
    const QString bare = SplitPath(zipPath, true);
    const qint32 auction = auctionOf(bare);
    const QString member = memberNameOf(bare);
    state.ExtractAsName = QStringLiteral("Auction%1.mdb").arg(auction);
    const QString finalPath = QDir(state.homeDir).filePath(extractedName(state, member));
    state.ExtractAsName.clear();
    if (!confirmReplacing(state, auction, finalPath))
        return false;
    if (state.AuctionDbPath == finalPath) {  // the database about to be replaced must not stay open
        state.AuctionDb = db::Database();
        state.AuctionDbPath.clear();
    }
    retryingPath(state, [&] { buildAuctionFile(state, zipPath, member, auction, creator, finalPath); });
    db::OpenAuctionDatabase(state, finalPath);
    return true;
}

QString chooseRoundOne(app::ModuleState &state, int flags) {
    app::FileDialog dialog;
    dialog.filter = QStringLiteral("Zip (*.zip)|*.zip");
    dialog.initialDir = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    dialog.flags = flags;
    return state.ui().showOpen(dialog);
}

bool isRoundOneOrSayWhy(app::ModuleState &state, const QString &bareName) {
    if (roundOf(bareName) == 1)
        return true;
    state.ui().msgBox(QStringLiteral("This file does not contain round 1!") + app::CR + QStringLiteral("           Please try again."),
                      {}, QStringLiteral("Wrong File"));
    return false;
}

// The end of a creation that failed: a cancelled dialog runs the opening choice again, anything else is shown.
void reportCreationFailure(app::ModuleState &state, const db::Error &error) {
    if (error.number() == db::err::DialogCancelled) {
        if (state.FileOpen)
            state.FileOpen();
        return;
    }
    state.ui().msgBox(error.text(), {}, {});
}

}  // namespace importer
