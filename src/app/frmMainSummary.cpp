// The Round Summary in the main window: View > Summary opens it (one at a time), and while it is the active child the
// commands that act on a data window are switched off, since they would reach the summary instead.
#include "app/frmMain.h"

#include "core/ModuleState.h"
#include "summary/frmSummary.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolBar>

namespace app {

namespace {

// The menu items switched off while the summary is active, in the order they are switched.
const char *const kSummaryOffItems[] = {
    "mnuCompAverage",
    "mnuCompCount",
    "mnuCompSum",
    "mnuFileExport",
    "mnuFilePrint",
    "mnuFilePrintPreview",
    "mnuFilePrintSetup",
    "mnuPBreakDelCol",
    "mnuPBreakDelRow",
    "mnuPBreakReset",
    "mnuPBreakSetCol",
    "mnuPBreakSetRow",
    "mnuToolsAnalysis",
    "mnuToolsAnalysisBidders",
    "mnuToolsAnalysisMarkets",
    "mnuToolsAnalysisRounds",
    "mnuToolsDropTable",
    "mnuToolsExcel",
    "mnuToolsFilterTable",
    "mnuToolsResetTable",
    "mnuToolsSortTable",
    "mnuToolsSQLCommandLine",
    "mnuToolsTableWizard",
    "mnuViewSummary",
    "mnuWindowFreeze",
    "mnuWindowUnfreeze",
};

// The toolbar buttons that stay on: those that do not act on a data window.
const char *const kSummaryKeepButtons[] = {"tbNew", "tbImport"};

}  // namespace

void frmMain::connectSummary() { connect(mdi_, &QMdiArea::subWindowActivated, this, &frmMain::childActivated); }

// Qt also reports a null activation when the program loses the focus while the summary stays the active child: only a
// real child decides. The summary's closing is told by its destruction (below).
void frmMain::childActivated(QMdiSubWindow *sub) {
    if (sub)
        switchSummaryCommands(sub == summary_);
}

// Off: the toolbar buttons but New and Import, then the menu items; only those that are on, so that switching on again
// leaves a command that was off for another reason as it was.
void frmMain::switchSummaryCommands(bool off) {
    if (!off) {
        for (const QPointer<QAction> &action : std::as_const(switchedOff_))
            if (action)
                action->setEnabled(true);
        switchedOff_.clear();
        return;
    }
    if (!switchedOff_.isEmpty())
        return;
    QList<QAction *> commands;
    for (QAction *button : tbToolBar->actions())
        if (std::none_of(std::begin(kSummaryKeepButtons), std::end(kSummaryKeepButtons),
                         [button](const char *keep) { return button->objectName() == QLatin1String(keep); }))
            commands << button;
    for (const char *item : kSummaryOffItems) {
        const QString name = QString::fromLatin1(item);
        if (QAction *command = action(name))
            commands << command;
        else if (QMenu *menu = popupMenu(name))
            commands << menu->menuAction();
    }
    for (QAction *command : commands) {
        if (command->isEnabled()) {
            command->setEnabled(false);
            switchedOff_ << command;
        }
    }
}

void frmMain::ViewSummary() {
    if (summary_) {
        mdi_->setActiveSubWindow(summary_);
        return;
    }
    if (!state_.auctionOpen()) {
        prompter_.msgBox(QStringLiteral("No auction is open, so there are no rounds to summarize.") + CR +
                             QStringLiteral("Choose New to open an auction or create one, then "
                                            "open the summary."),
                         {Buttons::OK, Icon::Exclamation}, QStringLiteral("No Auction Open"));
        return;
    }
    auto *window = new summary::frmSummary(state_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->Form_Load();
    QMdiSubWindow *sub = mdi_->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    summary_ = sub;
    connect(sub, &QObject::destroyed, this, [this] { switchSummaryCommands(false); });
    // Its own size where the frame has room, never less than shows the whole sheet (the frame scrolls then), a step
    // down and right of the windows already open.
    const QSize room = mdi_->viewport()->size();
    const QSize size = sub->sizeHint().boundedTo(room).expandedTo(sub->minimumSizeHint());
    const int step = 24 * int(mdi_->subWindowList().size() - 1);
    sub->setGeometry(std::max(0, std::min(step, room.width() - size.width())),
                     std::max(0, std::min(step, room.height() - size.height())), size.width(), size.height());
    sub->show();
    mdi_->setActiveSubWindow(sub);
}

summary::frmSummary *frmMain::summaryWindow() const {
    return summary_ ? qobject_cast<summary::frmSummary *>(summary_->widget()) : nullptr;
}

}  // namespace app
