// The main window's menus, hidden popup menus, toolbar and status bar, with the captions and keys the program's
// users know.
#include "app/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace app {

namespace {

// A menu: its object name, caption and items; "-" is a separator, a name ending in "*" a submenu (its items
// follow until "end"), an item starting with "!" is hidden.
struct Item {
    const char *name;
    const char *caption;
};

const Item kFileMenu[] = {
    {"mnuFileNew", "&New"},         {"-", ""},
    {"mnuFileImport", "&Import..."}, {"mnuFileAutoImport", "&Auto Import"},
    {"mnuFileExport", "&Export..."}, {"-", ""},
    {"mnuFilePrintSetup", "Print &Setup..."}, {"mnuFilePrintPreview", "Print Pre&view"},
    {"mnuFilePrint", "&Print..."},   {"-", ""},
    {"!mnuFileMRU0", ""},           {"!mnuFileMRU1", ""},
    {"!mnuFileMRU2", ""},           {"!mnuFileMRU3", ""},
    {"!-", ""},                     {"mnuFileExit", "E&xit"},
};
const Item kViewMenu[] = {
    {"mnuViewToolbar", "&Toolbar"}, {"mnuViewStatusBar", "Status &Bar"}, {"mnuViewSummary", "Summary..."}};
const Item kToolsMenu[] = {
    {"mnuToolsAnalysis*", "&Pivot Table Wizard"}, {"mnuToolsAnalysisMarkets", "&Markets..."},
    {"mnuToolsAnalysisRounds", "&Rounds..."},     {"mnuToolsAnalysisBidders", "&Bidders..."},
    {"end", ""},                                  {"!mnuToolsExcel", "Export Table To Excel"},
    {"-", ""},                                    {"mnuToolsSortTable", "&Sort Table..."},
    {"mnuToolsFilterTable", "&Filter Table..."},  {"mnuToolsResetTable", "&Reset Table"},
    {"-", ""},                                    {"mnuToolsTableWizard", "&Table Wizard..."},
    {"mnuToolsSQLCommandLine", "S&QL Query Builder..."}, {"mnuToolsDropTable", "&Drop Table"},
};
const Item kWindowMenu[] = {
    {"mnuWindowNewWindow", "&New Window"},      {"-", ""},
    {"mnuWindowFreeze", "&Freeze Columns"},     {"mnuWindowUnfreeze", "&Unfreeze Columns"},
    {"-", ""},                                  {"mnuWindowCascade", "&Cascade"},
    {"mnuWindowTileHorizontal", "Tile &Horizontal"}, {"mnuWindowTileVertical", "Tile &Vertical"},
    {"mnuWindowArrangeIcons", "&Arrange Icons"},
};
const Item kHelpMenu[] = {
    {"mnuHelpContents", "&Contents"}, {"mnuHelpSearch", "&Search For Help On..."}, {"-", ""},
    {"mnuHelpAbout", "&About Lotwise..."}};
const Item kCompMenu[] = {{"mnuCompSum", "Sum"}, {"mnuCompAverage", "Average"}, {"mnuCompCount", "Count"}};
const Item kPBreakMenu[] = {
    {"mnuPBreakSetRow", "Set Row Page Break"}, {"mnuPBreakDelRow", "Delete Row Page Break"}, {"-", ""},
    {"mnuPBreakSetCol", "Set Column Page Break"}, {"mnuPBreakDelCol", "Delete Column Page Break"}, {"-", ""},
    {"mnuPBreakReset", "Reset Page Breaks"}};

// The toolbar: key, tooltip, icon theme name and the standard icon used when the theme has none. The names are
// chosen for icons drawn in colour: a grey icon reads as a disabled button, and a red circle as Stop.
struct Button {
    const char *key;
    const char *tip;
    const char *icon;
    QStyle::StandardPixmap fallback;
};
const Button kButtons[] = {
    {"New", "New", "document-new", QStyle::SP_FileIcon},
    {"Import", "Import Next Round", "folder-download", QStyle::SP_ArrowDown},
    {"PrintPreview", "Print Preview", "document-print-preview", QStyle::SP_FileDialogContentsView},
    {"Print", "Print", "document-print", QStyle::SP_DialogSaveButton},
    {"Sort", "Sort...", "view-sort-ascending", QStyle::SP_ArrowUp},
    {"Filter", "Filter...", "edit-find", QStyle::SP_FileDialogDetailedView},
    {"Reset", "Reset Table", "edit-undo", QStyle::SP_BrowserReload},
    {"TableWizard", "Table Wizard...", "insert-object", QStyle::SP_FileDialogNewFolder},
    {"SQL", "SQL Query Builder...", "accessories-text-editor", QStyle::SP_FileDialogInfoView},
    {"DropTable", "Drop Table", "user-trash", QStyle::SP_TrashIcon},
};

template <size_t N>
void fill(QMenu *menu, const Item (&items)[N], const std::function<QAction *(QMenu *, const QString &, const QString &)> &add,
          std::map<QString, QMenu *> &menus) {
    QMenu *target = menu;
    for (const Item &item : items) {
        QString name = QString::fromLatin1(item.name);
        const bool hidden = name.startsWith(u'!');
        if (hidden)
            name.remove(0, 1);
        if (name == QLatin1String("end")) {
            target = menu;
        } else if (name == QLatin1String("-")) {
            target->addSeparator()->setVisible(!hidden);
        } else if (name.endsWith(u'*')) {
            name.chop(1);
            target = menu->addMenu(QString::fromLatin1(item.caption));
            target->setObjectName(name);
            menus[name] = target;
        } else {
            add(target, name, QString::fromLatin1(item.caption))->setVisible(!hidden);
        }
    }
}

}  // namespace

QAction *frmMain::addItem(QMenu *menu, const QString &name, const QString &caption) {
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    actions_[name] = action;
    return action;
}

void frmMain::buildMenus() {
    const auto add = [this](QMenu *menu, const QString &name, const QString &caption) { return addItem(menu, name, caption); };
    const auto topMenu = [&](const char *name, const char *caption) {
        QMenu *menu = menuBar()->addMenu(QString::fromLatin1(caption));
        menu->setObjectName(QString::fromLatin1(name));
        menus_[menu->objectName()] = menu;
        return menu;
    };
    fill(topMenu("mnuFile", "&File"), kFileMenu, add, menus_);
    fill(topMenu("mnuView", "&View"), kViewMenu, add, menus_);
    fill(topMenu("mnuTools", "&Tools"), kToolsMenu, add, menus_);
    QMenu *window = topMenu("mnuWindow", "&Window");
    fill(window, kWindowMenu, add, menus_);
    connect(window, &QMenu::aboutToShow, this, [this, window] { listChildWindows(window); });
    fill(topMenu("mnuHelp", "&Help"), kHelpMenu, add, menus_);
    // The two hidden menus exist only as popups.
    for (auto [name, caption] : {std::pair{"mnuComp", "Compute"}, std::pair{"mnuPBreak", "Page Breaks"}}) {
        auto *menu = new QMenu(QString::fromLatin1(caption), this);
        menu->setObjectName(QString::fromLatin1(name));
        menus_[menu->objectName()] = menu;
    }
    fill(menus_["mnuComp"], kCompMenu, add, menus_);
    fill(menus_["mnuPBreak"], kPBreakMenu, add, menus_);
    actions_["mnuFilePrint"]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    actions_["mnuHelpContents"]->setShortcut(QKeySequence(Qt::Key_F1));
    addWindowKeys();
    for (const char *toggle : {"mnuViewToolbar", "mnuViewStatusBar"}) {
        actions_[QString::fromLatin1(toggle)]->setCheckable(true);
        actions_[QString::fromLatin1(toggle)]->setChecked(true);
    }
}

// The MDI keys of the platform the program's users know: Ctrl+F4 closes the active data window, Ctrl+F6 and
// Ctrl+Shift+F6 move to the next and the previous one. They belong to the frame, not to any menu item.
void frmMain::addWindowKeys() {
    const auto key = [this](const char *name, const QKeySequence &sequence, void (QMdiArea::*act)()) {
        auto *action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(sequence);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, mdi_, act);
        addAction(action);
        actions_[action->objectName()] = action;
    };
    key("keyWindowClose", QKeySequence(Qt::CTRL | Qt::Key_F4), &QMdiArea::closeActiveSubWindow);
    key("keyWindowNext", QKeySequence(Qt::CTRL | Qt::Key_F6), &QMdiArea::activateNextSubWindow);
    key("keyWindowPrevious", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6), &QMdiArea::activatePreviousSubWindow);
}

// The Window menu ends with the open child windows, the active one checked; choosing one activates it.
void frmMain::listChildWindows(QMenu *menu) {
    for (QAction *old : windowListActions_) {
        menu->removeAction(old);
        old->deleteLater();
    }
    windowListActions_.clear();
    const QList<QMdiSubWindow *> windows = mdi_->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    windowListActions_ << menu->addSeparator();
    for (qsizetype i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *sub = windows[i];
        const QString number = i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QStringLiteral("%1 ").arg(i + 1);
        QAction *entry = menu->addAction(number + sub->windowTitle());
        entry->setCheckable(true);
        entry->setChecked(sub == mdi_->activeSubWindow());
        connect(entry, &QAction::triggered, this, [this, sub] { mdi_->setActiveSubWindow(sub); });
        windowListActions_ << entry;
    }
}

void frmMain::buildToolBar() {
    tbToolBar = addToolBar(QStringLiteral("Toolbar"));
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    for (const Button &b : kButtons) {
        const QIcon icon = QIcon::fromTheme(QString::fromLatin1(b.icon), style()->standardIcon(b.fallback));
        QAction *action = tbToolBar->addAction(icon, QString::fromLatin1(b.tip));
        action->setObjectName(QStringLiteral("tb") + QString::fromLatin1(b.key));
        action->setToolTip(QString::fromLatin1(b.tip));
        action->setData(QString::fromLatin1(b.key));
        actions_[action->objectName()] = action;
    }
}

void frmMain::buildStatusBar() {
    statusBar()->setObjectName(QStringLiteral("sbStatusBar"));
    const int inch = logicalDpiX();  // panels 2 and 3 are 1440 twips (one inch) wide
    const QStringList texts = {QStringLiteral("Status"), QDate::currentDate().toString(Qt::ISODate), QString()};
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(texts[i], this);
        panels_[i]->setObjectName(QStringLiteral("sbStatusBarPanel%1").arg(i + 1));
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        if (i > 0) {
            panels_[i]->setFixedWidth(inch);
            panels_[i]->setAlignment(Qt::AlignCenter);
        }
        if (i == 0)
            statusBar()->addWidget(panels_[i], 1);
        else
            statusBar()->addPermanentWidget(panels_[i]);
        panels_[i]->installEventFilter(this);
    }
    panels_[1]->setText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    panels_[2]->setToolTip(QStringLiteral("Right-click for Sum, Average or Count of the selected cells"));
}

void frmMain::showPageBreakMenu(const QPoint &globalPos) {
    QMenu *menu = menus_["mnuPBreak"];
    menu->popup(globalPos - QPoint(menu->sizeHint().width() / 2, 0));
}

}  // namespace app
