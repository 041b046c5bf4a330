#include "app/frmMain.h"

#include "app/GuiPrompter.h"
#include "core/ModuleState.h"
#include "grid/frmFlexGrid.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>

namespace app {

frmMain::frmMain(ModuleState &state, Prompter &prompter, QWidget *parent)
    : QMainWindow(parent), state_(state), prompter_(prompter) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Lotwise"));
    setWindowIcon(QIcon(QStringLiteral(":/lotwise/lotwise.png")));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow *sub) {
        if (auto *window = sub ? qobject_cast<grid::frmFlexGrid *>(sub->widget()) : nullptr)
            window->Form_Activate();
    });
    buildMenus();
    buildToolBar();
    buildStatusBar();
    if (auto *gui = dynamic_cast<GuiPrompter *>(&prompter_)) {
        gui->setWindow(this);
        for (int panel = 1; panel <= 3; ++panel)
            gui->setStatusPanel(panel, panels_[panel - 1]);
    }
    connectCommands();
    MDIForm_Load();
}

// The children are deleted later, by QWidget's destructor: neither the summary's destruction nor an activation
// while the MDI area empties may reach this window once its members are gone.
frmMain::~frmMain() {
    if (summary_)
        disconnect(summary_, nullptr, this, nullptr);
    disconnect(mdi_, nullptr, this, nullptr);
}

QAction *frmMain::action(const QString &name) const {
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu *frmMain::popupMenu(const QString &name) const {
    const auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

QLabel *frmMain::statusPanel(int panel) const { return panel >= 1 && panel <= 3 ? panels_[panel - 1] : nullptr; }

QWidget *frmMain::activeChild() const {
    QMdiSubWindow *sub = mdi_->activeSubWindow();
    return sub ? sub->widget() : nullptr;
}

void frmMain::endNow() {
    ending_ = true;
    close();
    QCoreApplication::quit();
}

// Closing: the placement is saved (not when minimized), the database closed and then compacted in place.
void frmMain::closeEvent(QCloseEvent *event) {
    if (!ending_) {
        savePlacement();
        // Data windows let go of their queries, table holds and loader connections now, not when Qt gets round
        // to deleting them: compaction needs every connection of this process to the file closed.
        QList<QPointer<QMdiSubWindow>> windows;
        for (QMdiSubWindow *sub : mdi_->subWindowList())
            windows << sub;
        mdi_->closeAllSubWindows();
        for (const QPointer<QMdiSubWindow> &sub : windows)
            delete sub.data();
        state_.AuctionDb.close();
        state_.AuctionDb = db::Database();
        CompactOnExit();
    }
    event->accept();
}

// A right click on the status bar's third panel pops up the Compute menu.
bool frmMain::eventFilter(QObject *watched, QEvent *event) {
    if (watched == panels_[2] && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        sbStatusBar_MouseUp(mouse->button(), panels_[2]->mapTo(statusBar(), mouse->position().toPoint()).x());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace app
