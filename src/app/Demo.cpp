#include "app/Demo.h"

#include "app/frmMain.h"
#include "core/ModuleState.h"
#include "core/ProgramFolders.h"
#include "core/AuctionDatabase.h"
#include "db/Error.h"
#include "import/CreateAuction.h"
#include "import/LastImport.h"
#include "import/RoundFileName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace app {

namespace {

// The batch import of the demo: its file dialog is answered with the demo's round 1 file and its closing notice
// is not shown; everything else (progress, errors) reaches the user.
class DemoPrompter : public Prompter {
public:
    DemoPrompter(Prompter &ui, QString roundOne) : ui_(ui), roundOne_(std::move(roundOne)) {}
    Answer msgBox(const QString &text, const MessageStyle &style, const QString &title) override {
        if (style.icon == Icon::Information)
            return Answer::OK;
        return ui_.msgBox(text, style, title);
    }
    QString inputBox(const QString &p, const QString &t, const QString &d) override { return ui_.inputBox(p, t, d); }
    QString showOpen(const FileDialog &) override { return roundOne_; }
    QString showSave(const FileDialog &dialog) override { return ui_.showSave(dialog); }
    void setStatus(int panel, const QString &text) override { ui_.setStatus(panel, text); }
    void setCaption(const QString &caption) override { ui_.setCaption(caption); }
    void busyCursor(bool on) override { ui_.busyCursor(on); }
    void progressStart(const QString &title, int steps) override { ui_.progressStart(title, steps); }
    bool progressStep(int done, const QString &text) override { return ui_.progressStep(done, text); }
    void progressDone() override { ui_.progressDone(); }

private:
    Prompter &ui_;
    QString roundOne_;
};

void copyRoundFile(const QString &from, const QString &to) {
    if (!QFile::copy(from, to))
        throw db::Error(db::err::FileAccess, QStringLiteral("Path/File access error: '%1'").arg(to));
}

// The demo keeps its own copies of the round files in the folder "demo-rounds" of the home directory: every one
// but the last is batch imported from there, and the last one is left there for Auto Import, whose closing
// question may delete the file it imported. The installed files are never written or deleted.
bool buildDemo(ModuleState &state, Prompter &prompter, const QString &folder, const QStringList &rounds) {
    QDir own(QDir(state.homeDir).filePath(QStringLiteral("demo-rounds")));
    own.removeRecursively();  // a demo built before: its last round may be there already, the batch would take it
    if (!QDir().mkpath(own.path()))
        throw db::Error::pathNotFound(own.path());
    for (qsizetype i = 0; i + 1 < rounds.size(); ++i)
        copyRoundFile(QDir(folder).filePath(rounds[i]), own.filePath(rounds[i]));
    DemoPrompter quiet(prompter, own.filePath(rounds.front()));
    ModuleState building = makeModuleState(state.homeDir, quiet);
    if (importer::BatchImport(building) != importer::Creation::Created)
        return false;
    building.AuctionDb.close();
    copyRoundFile(QDir(folder).filePath(rounds.back()), own.filePath(rounds.back()));
    importer::SaveLastImportPath(state, own.filePath(rounds.back()));  // Auto Import finds the last round there
    return true;
}

}  // namespace

QString demoRoundsFolder() {
    const QString folder = programDataFolder(QStringLiteral("demo/rounds"), "LOTWISE_DEMO_ROUNDS");
    return !folder.isEmpty() && !QDir(folder).entryList({QStringLiteral("*_001.zip")}, QDir::Files).isEmpty() ? folder
                                                                                                            : QString();
}

bool openDemo(frmMain &window, ModuleState &state, Prompter &prompter) {
    const QString folder = demoRoundsFolder();
    const QStringList rounds = folder.isEmpty() ? QStringList() : QDir(folder).entryList({QStringLiteral("*.zip")}, QDir::Files, QDir::Name);
    if (rounds.size() < 2) {
        prompter.msgBox(QStringLiteral("The demo round results files are not installed."), {Buttons::OK, Icon::Exclamation}, {});
        return false;
    }
    const QString auction = QDir(state.homeDir).filePath(
        QStringLiteral("Auction%1.mdb").arg(importer::auctionOf(rounds.front())));
    try {
        if (!QFile::exists(auction) && !buildDemo(state, prompter, folder, rounds))
            return false;
        app::OpenAuctionDatabase(state, auction);
        prompter.setCaption(QStringLiteral("Lotwise - ") + state.AuctionDbPath);
        window.newDataWindow();
        return true;
    } catch (const db::Error &error) {
        prompter.msgBox(error.text(), {}, {});
        return false;
    }
}

}  // namespace app
