#include "import/ImportRound.h"

#include "core/HomeDirectory.h"
#include "core/ModuleState.h"
#include "db/Error.h"
#include "db/Recordset.h"
#include "import/LastImport.h"
#include "import/Rebuild.h"
#include "import/RoundDatabase.h"
#include "import/RoundFileName.h"
#include "import/RoundRows.h"
#include "import/RetryPath.h"
#include "import/WorkFile.h"

#include <QFile>
#include <QFileInfo>

namespace importer {

namespace {

// A whole number read from the first row of a query.
qint32 firstWholeNumber(const db::Database &database, const QString &sql) {
    const auto rows = database.openRecordset(sql, db::RecordsetType::Snapshot);
    rows->moveFirst();
    return wholeNumber(rows->value(0).toString());
}

QString chooseFile(app::ModuleState &state) {
    app::FileDialog dialog;
    dialog.filter = QStringLiteral("Zip (*.zip)|*.zip");
    dialog.initialDir = ReadLastImportPath(state);
    const QString path = state.ui().showOpen(dialog);
    if (!path.isEmpty())
        SaveLastImportPath(state, path);
    return path;
}

void showWrongAuction(app::ModuleState &state) {
    state.ui().msgBox(QStringLiteral("         The round results file you have selected") + app::CR +
                          QStringLiteral("does not belong to the auction you currently have open.") + app::CR +
                          QStringLiteral("     Please check the auction number and try again."),
                      {app::Buttons::OK, app::Icon::Exclamation}, QStringLiteral("Wrong Round Results File"));
}

bool askToDeleteZip(app::ModuleState &state, qint32 round) {
    return state.ui().msgBox(QStringLiteral("  Round %1 has been successfully imported.").arg(round) + app::CR +
                                 QStringLiteral("Would you like to delete the round results") + app::CR +
                                 QStringLiteral("                  file you just imported?"),
                             {app::Buttons::YesNo, app::Icon::None, app::DefaultButton::Second},
                             QStringLiteral("Round Imported Successfully")) == app::Answer::Yes;
}

void showNotARoundFile(app::ModuleState &state, const QString &bareName) {
    state.ui().msgBox(notARoundFileNameText(bareName), {app::Buttons::OK, app::Icon::Exclamation},
                      QStringLiteral("Not a Round Results File"));
}

void showDamaged(app::ModuleState &state, const QString &damage) {
    state.ui().msgBox(QStringLiteral("The auction database %1 is damaged:").arg(state.AuctionDbPath) + app::CR +
                          damage + app::CR +
                          QStringLiteral("Nothing was imported. Restore the auction database from a backup, or make "
                                         "it anew from its round results files."),
                      {app::Buttons::OK, app::Icon::Critical}, QStringLiteral("Unsuccessful Import"));
}

void showFailure(app::ModuleState &state, const db::Error &error) {
    if (error.number() == db::err::TableInUse) {
        state.ui().msgBox(QStringLiteral("    A user defined table is currently open in a data window.") + app::CR +
                              QStringLiteral(" To be updated, ALL user defined tables table must be closed.") + app::CR +
                              QStringLiteral(" Please close ALL user defined tables and re-import the round."),
                          {app::Buttons::OK, app::Icon::Exclamation}, QStringLiteral("Unsuccessful Import"));
    } else {
        state.ui().msgBox(error.text(), {}, {});
    }
}

// After a creation that made nothing the main window waits with no auction open.
void showNoAuctionOpen(app::ModuleState &state) {
    state.ui().msgBox(QStringLiteral("No auction is open, so there is nothing to import the round into.") + app::CR +
                          QStringLiteral("Choose New to open an auction or create one, then import the round."),
                      {app::Buttons::OK, app::Icon::Exclamation}, QStringLiteral("No Auction Open"));
}

// Steps 2 to 14 for the file at path: returns true when the round was imported.
bool importFile(app::ModuleState &state, const QString &path, QString &extracted) {
    const QString bare = SplitPath(path, true);
    const std::optional<RoundFile> file = parseRoundFileName(bare);
    if (!file) {
        showNotARoundFile(state, bare);
        return false;
    }
    const qint32 round = file->round;
    const qint32 auction = firstWholeNumber(state.AuctionDb, QStringLiteral("Select [Auction ID] From [sysAuction]"));
    if (file->auction != auction) {
        showWrongAuction(state);
        return false;
    }
    if (const QString damage = state.AuctionDb.damage(); !damage.isEmpty()) {
        showDamaged(state, damage);
        return false;
    }
    const QString member = memberNameOf(bare);
    // ExtractAsName is empty here: the round database goes under a work file name of this run.
    extracted = retryingPath(state, [&] {
        return ExtractRoundDatabase(state.homeDir, path, member, workFileName(member, QStringLiteral("round")));
    });
    copyRoundRows(state.AuctionDb, extracted, auction, round, RoundDeletion::RoundRows, bare);
    RebuildWizardTables(state);
    if (askToDeleteZip(state, round))
        QFile::remove(path);
    QFile::remove(extracted);
    extracted.clear();
    RebuildQueryTables(state);
    return true;
}

}  // namespace

QString NextRoundFileName(app::ModuleState &state) {
    // A missing last-import file is told by the dialog import that follows "NOT FOUND", once.
    const QString folder = lastImportFolderQuietly(state);
    const qint32 last = firstWholeNumber(state.AuctionDb, QStringLiteral("SELECT TOP 1 [Round] FROM [sysRounds] ORDER BY [Round] DESC"));
    const qint32 auction =
        firstWholeNumber(state.AuctionDb, QStringLiteral("SELECT [Auction ID] FROM [Round Statistics] WHERE [Round] = 1"));
    const QString path = folder + roundFileName(QStringLiteral("%1").arg(auction, 2, 10, QChar(u'0')), last + 1);
    // Without a last import folder the name would be looked up in whatever folder the program runs in.
    return !folder.isEmpty() && QFileInfo::exists(path) ? path : QStringLiteral("NOT FOUND");
}

bool ImportRound(app::ModuleState &state, bool AutoImport) {
    if (!state.auctionOpen()) {
        showNoAuctionOpen(state);
        return false;
    }
    QString extracted;
    try {
        removeStaleWorkFiles(state.homeDir);
        QString path;
        if (AutoImport) {
            path = NextRoundFileName(state);
            if (path == QLatin1String("NOT FOUND"))
                return ImportRound(state, false);
        } else {
            path = chooseFile(state);
        }
        if (path.isEmpty())
            return false;
        return importFile(state, path, extracted);
    } catch (const db::Error &error) {
        if (!extracted.isEmpty())
            QFile::remove(extracted);  // the round was not imported; its extracted database is of no use
        if (error.number() != db::err::DialogCancelled)
            showFailure(state, error);
        return false;
    }
}

}  // namespace importer
