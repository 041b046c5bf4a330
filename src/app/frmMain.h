// The main window: an MDI frame holding the data windows, with the menus, toolbar and status bar of the program.
//
// It owns its menus, toolbar, status bar and MDI area (Qt parents); the module state and the Prompter belong to
// the caller (Main) and must outlive the window. GUI thread only.
#pragma once

#include "grid/DataWindowHost.h"

#include <QMainWindow>
#include <QPointer>

#include <map>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QMdiSubWindow;
class QToolBar;

namespace grid {
class frmFlexGrid;
}
namespace summary {
class frmSummary;
}

namespace app {

struct ModuleState;
class Prompter;

class frmMain : public QMainWindow, public grid::DataWindowHost {
    Q_OBJECT
public:
    // A GuiPrompter is given this window and its status panels; any other Prompter (tests) is used as it is.
    frmMain(ModuleState &state, Prompter &prompter, QWidget *parent = nullptr);
    ~frmMain() override;

    // The opening choice: open an existing auction, create one, or batch import one. Asked again while a
    // creation leaves no auction open; returns once one is open, the program ends, or an opening failed.
    void FileOpen();
    // Fill the active data window's table and round lists from sysTables and sysRounds.
    void PopulateTables() override;
    void PopulateRounds() override;
    ModuleState &moduleState() override { return state_; }
    // mnuPBreak as a pop-up menu, centred horizontally on the position.
    void showPageBreakMenu(const QPoint &globalPos) override;
    // An MDI child of its own, sized to its hint and activated.
    void showChildWindow(QWidget *window) override;

    QMdiArea *mdiArea() const { return mdi_; }
    // The active MDI child's content widget, or null.
    QWidget *activeChild() const;
    // A new data window on the newest round of the first table (New, New Window); with no auction open, the
    // opening choice instead.
    void newDataWindow();

    // View > Summary: the Round Summary as an MDI child, one at a time (an open one is activated); refused
    // while no auction is open.
    void ViewSummary();
    // The open Round Summary, or null.
    summary::frmSummary *summaryWindow() const;

    // Ends the program without saving the placement or compacting (the opening choice was declined).
    void endNow();
    bool isEnding() const { return ending_; }

    // Named menu items and toolbar buttons, for tests and the command routing.
    QAction *action(const QString &name) const;
    QLabel *statusPanel(int panel) const;
    QMenu *popupMenu(const QString &name) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Building (frmMainMenus.cpp).
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption);
    void listChildWindows(QMenu *menu);
    void addWindowKeys();

    // Placement (frmMainPlacement.cpp).
    void MDIForm_Load();
    void placeOnFirstStart();
    void savePlacement();
    void CompactOnExit();

    // Commands (frmMainCommands.cpp).
    void connectCommands();
    void forward(const char *operation, bool refuse = true, const QString &argument = {});
    void tbToolBar_ButtonClick(const QString &key);
    void sbStatusBar_MouseUp(Qt::MouseButton button, int x);
    void showHelp(bool search);

    // The Round Summary and the commands it switches off while active (frmMainSummary.cpp).
    void connectSummary();
    void childActivated(QMdiSubWindow *sub);
    void switchSummaryCommands(bool off);

    // Opening (frmMainOpen.cpp).
    void openExistingAuction();
    QMdiSubWindow *addDataWindow(QWidget *window);
    void fitDataWindow(grid::frmFlexGrid *window);
    void showNewestRound(grid::frmFlexGrid *window);
    void populateList(const QString &sql, const QString &column, bool tables);

    ModuleState &state_;
    Prompter &prompter_;
    QMdiArea *mdi_ = nullptr;
    QToolBar *tbToolBar = nullptr;
    QLabel *panels_[3] = {};
    std::map<QString, QAction *> actions_;
    std::map<QString, QMenu *> menus_;
    QList<QAction *> windowListActions_;
    bool ending_ = false;
    QPointer<QMdiSubWindow> summary_;
    // The commands the active summary switched off (those that were on), to switch on again when it stops being
    // the active child; empty while it is not.
    QList<QPointer<QAction>> switchedOff_;
};

}  // namespace app
