// The main window's commands. Most act on the active data window: the command calls the operation of that name
// on the active MDI child and refuses, with the program's message, when there is none.
#include "app/frmMain.h"

#include "app/GuiPrompter.h"
#include "app/HelpWindow.h"
#include "core/ModuleState.h"
#include "app/WindowArrangement.h"
#include "app/frmAbout.h"
#include "db/Error.h"
#include "import/ImportRound.h"
#include "print/frmPrintOptions.h"
#include "print/frmPrintPreview.h"
#include "tables/frmSql.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMetaObject>
#include <QStatusBar>
#include <QToolBar>

namespace app {

namespace {

// The operation called on the active child for each forwarding menu item, and whether it refuses without one.
struct Forwarded {
    const char *item;
    const char *operation;
    bool refuse;
    const char *argument;
};
const Forwarded kForwarded[] = {
    {"mnuFileExport", "DBSaveAs", true, nullptr},
    {"mnuFilePrint", "PrintGrid", true, nullptr},
    {"mnuToolsAnalysisMarkets", "MarketsAnalysis", true, nullptr},
    {"mnuToolsAnalysisRounds", "RoundsAnalysis", true, nullptr},
    {"mnuToolsAnalysisBidders", "BiddersAnalysis", true, nullptr},
    {"mnuToolsSortTable", "TableSort", true, nullptr},
    {"mnuToolsFilterTable", "TableFilt", true, nullptr},
    {"mnuToolsResetTable", "TableReset", true, nullptr},
    {"mnuToolsTableWizard", "TableWiz", true, nullptr},
    {"mnuToolsDropTable", "DropTable", true, nullptr},
    {"mnuWindowFreeze", "FreezeCols", true, nullptr},
    {"mnuWindowUnfreeze", "UnfreezeCols", true, nullptr},
    {"mnuCompSum", "ComputeSelection", true, "Sum"},
    {"mnuCompAverage", "ComputeSelection", true, "Average"},
    {"mnuCompCount", "ComputeSelection", true, "Count"},
    {"mnuPBreakSetRow", "PBreak_SetRow", false, nullptr},
    {"mnuPBreakDelRow", "PBreak_DelRow", false, nullptr},
    {"mnuPBreakSetCol", "PBreak_SetCol", false, nullptr},
    {"mnuPBreakDelCol", "PBreak_DelCol", false, nullptr},
    {"mnuPBreakReset", "PBreak_Remove", false, nullptr},
};

// Toolbar keys and the menu item whose command each runs.
const std::pair<const char *, const char *> kToolbarCommands[] = {
    {"New", "mnuFileNew"},          {"Import", "mnuFileAutoImport"}, {"PrintPreview", "mnuFilePrintPreview"},
    {"Print", "mnuFilePrint"},      {"Sort", "mnuToolsSortTable"},   {"Filter", "mnuToolsFilterTable"},
    {"Reset", "mnuToolsResetTable"}, {"TableWizard", "mnuToolsTableWizard"}, {"SQL", "mnuToolsSQLCommandLine"},
    {"DropTable", "mnuToolsDropTable"},
};

}  // namespace

void frmMain::connectCommands() {
    const auto on = [this](const char *name, auto handler) {
        connect(actions_.at(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    for (const Forwarded &f : kForwarded) {
        const QString argument = f.argument ? QString::fromLatin1(f.argument) : QString();
        on(f.item, [this, f, argument] { forward(f.operation, f.refuse, argument); });
    }
    on("mnuFileNew", [this] { newDataWindow(); });
    on("mnuWindowNewWindow", [this] { newDataWindow(); });
    on("mnuFileImport", [this] { importer::ImportRound(state_, false); });
    on("mnuFileAutoImport", [this] { importer::ImportRound(state_, true); });
    on("mnuFileExit", [this] { close(); });
    on("mnuViewToolbar", [this](bool shown) { tbToolBar->setVisible(shown); });
    on("mnuViewStatusBar", [this](bool shown) { statusBar()->setVisible(shown); });
    on("mnuWindowCascade", [this] { cascade(mdi_); });
    on("mnuWindowTileHorizontal", [this] { tileHorizontal(mdi_); });
    on("mnuWindowTileVertical", [this] { tileVertical(mdi_); });
    on("mnuWindowArrangeIcons", [this] { arrangeIcons(mdi_); });
    // The SQL Query Builder: one modeless window beside the frame, so the active data window stays active.
    on("mnuToolsSQLCommandLine", [this] { tables::frmSql::open(state_, [this] { return activeChild(); }, this); });
    on("mnuViewSummary", [this] { ViewSummary(); });
    connectSummary();
    on("mnuHelpContents", [this] { showHelp(false); });
    on("mnuHelpSearch", [this] { showHelp(true); });
    on("mnuHelpAbout", [this] {
        frmAbout about(this);
        about.exec();
    });
    // The print dialogs act on the active child; without a data window they say so themselves.
    on("mnuFilePrintSetup", [this] { print::frmPrintOptions::showFor(activeChild(), prompter_, this); });
    on("mnuFilePrintPreview", [this] { print::frmPrintPreview::showFor(activeChild(), prompter_, this); });
    connect(tbToolBar, &QToolBar::actionTriggered, this,
            [this](QAction *action) { tbToolBar_ButtonClick(action->data().toString()); });
}

// Calls the operation on the active child. With the refusal rule, no child shows the program's refusal; any
// other failure, a child without the operation included (438), shows "Error: " + number + " " + description.
void frmMain::forward(const char *operation, bool refuse, const QString &argument) {
    try {
        QWidget *child = activeChild();
        if (!child)
            throw db::Error(db::err::NoObject, QStringLiteral("Object variable or With block variable not set"));
        const bool called = argument.isEmpty()
                                ? QMetaObject::invokeMethod(child, operation, Qt::DirectConnection)
                                : QMetaObject::invokeMethod(child, operation, Qt::DirectConnection, Q_ARG(QString, argument));
        if (!called)
            throw db::Error(db::err::NoMethod, QStringLiteral("Object doesn't support this property or method"));
    } catch (const db::Error &error) {
        if (refuse && error.number() == db::err::NoObject) {
            prompter_.msgBox(QStringLiteral("  A data grid must be opened to use this function.") + CR +
                                 QStringLiteral("Open a data grid with the New button and try again"),
                             {Buttons::OK, Icon::Exclamation}, QStringLiteral("Error"));
        } else {
            prompter_.msgBox(QStringLiteral("Error: %1 %2").arg(error.number()).arg(error.description()), {}, {});
        }
    }
}

void frmMain::tbToolBar_ButtonClick(const QString &key) {
    for (const auto &[button, item] : kToolbarCommands)
        if (key == QLatin1String(button))
            actions_.at(QString::fromLatin1(item))->trigger();
}

// A right click on the third panel (beyond panels 1 and 2) pops up the Compute menu above the status bar.
void frmMain::sbStatusBar_MouseUp(Qt::MouseButton button, int x) {
    if (button != Qt::RightButton || x <= panels_[0]->width() + panels_[1]->width())
        return;
    QMenu *compute = menus_.at(QStringLiteral("mnuComp"));
    const QPoint at = statusBar()->mapToGlobal(QPoint(x, 0));
    compute->popup(QPoint(at.x() - compute->sizeHint().width(), at.y() - compute->sizeHint().height()));
}

void frmMain::showHelp(bool search) { HelpWindow::showHelp(this, search); }

}  // namespace app
