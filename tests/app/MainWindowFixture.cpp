#include "app/MainWindowFixture.h"

#include "app/frmOpeningQuestions.h"
#include "grid/frmFlexGrid.h"
#include "support/AuctionFixture.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTimer>

MainWindowFixture::MainWindowFixture() : state(app::makeModuleState(home.path(), ui)) {
    QSettings(QStringLiteral("Lotwise"), QStringLiteral("Lotwise")).clear();
    window = std::make_unique<app::frmMain>(state, ui);
    window->show();
}

MainWindowFixture::~MainWindowFixture() {
    window->endNow();  // no compaction, no placement: tests that want them close the window themselves
    window.reset();
}

void MainWindowFixture::onNextDialog(const std::function<void(QDialog *)> &answer) {
    QTimer::singleShot(0, [answer] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no modal dialog to answer";
            return;
        }
        answer(dialog);
    });
}

QString MainWindowFixture::buildAuction(int last) {
    return testsupport::buildAuction(home, QStringLiteral("auction-11"), last);
}

void MainWindowFixture::openThroughFileOpen(const QString &path) {
    onNextDialog([](QDialog *dialog) { dialog->accept(); });  // "Open an Existing Auction" is selected at start
    ui.expectOpen(path);
    window->FileOpen();
}

grid::frmFlexGrid *MainWindowFixture::activeDataWindow() const {
    return qobject_cast<grid::frmFlexGrid *>(window->activeChild());
}

int MainWindowFixture::dataWindowCount() const { return int(window->mdiArea()->subWindowList().size()); }

void MainWindowFixture::trigger(const QString &action) {
    QAction *item = window->action(action);
    ASSERT_NE(item, nullptr) << action.toStdString();
    item->trigger();
}
