// Keys a user of the program's platform expects, each belonging to one command only; access keys that do not
// collide; toolbar icons drawn by the icon theme.
#include "app/MainWindowFixture.h"

#include "grid/frmFlexGrid.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

// Every action of the window and its children that answers the key. The system menus of MDI children are left
// out: their keys work only while the menu is open.
QList<QAction *> actionsFor(QWidget *top, const QKeySequence &key) {
    QList<QAction *> systemMenus;
    for (QMdiSubWindow *sub : top->findChildren<QMdiSubWindow *>())
        if (sub->systemMenu())
            systemMenus << sub->systemMenu()->actions();
    QList<QAction *> found;
    for (QAction *action : top->findChildren<QAction *>())
        if (action->shortcuts().contains(key) && !systemMenus.contains(action))
            found << action;
    return found;
}

QChar accessKey(const QString &caption) {
    const qsizetype at = caption.indexOf(u'&');
    return at >= 0 && at + 1 < caption.size() ? caption.at(at + 1).toUpper() : QChar();
}

}  // namespace

TEST_F(MainWindowFixture, HelpAndWindowKeysBelongToOneCommandEach) {
    window->moduleState().AuctionDb = db::Database::open(buildAuction(2));
    window->moduleState().AuctionDbPath = window->moduleState().AuctionDb.path();
    trigger("mnuFileNew");
    trigger("mnuFileNew");
    trigger("mnuFileNew");
    const QKeySequence f1(Qt::Key_F1), close(Qt::CTRL | Qt::Key_F4), next(Qt::CTRL | Qt::Key_F6);
    ASSERT_EQ(actionsFor(window.get(), f1), QList<QAction *>{window->action("mnuHelpContents")});
    ASSERT_EQ(actionsFor(window.get(), close).size(), 1);
    ASSERT_EQ(actionsFor(window.get(), next).size(), 1);

    QMdiArea *mdi = window->mdiArea();
    QMdiSubWindow *first = mdi->activeSubWindow();
    actionsFor(window.get(), next).front()->trigger();
    EXPECT_NE(mdi->activeSubWindow(), first);
    actionsFor(window.get(), close).front()->trigger();
    QApplication::processEvents();
    EXPECT_EQ(dataWindowCount(), 2);
}

TEST_F(MainWindowFixture, AccessKeysOfMenusAndDataWindowDoNotCollide) {
    window->moduleState().AuctionDb = db::Database::open(buildAuction(2));
    window->moduleState().AuctionDbPath = window->moduleState().AuctionDb.path();
    trigger("mnuFileNew");
    QList<QChar> keys;
    for (QAction *menu : window->menuBar()->actions())
        keys << accessKey(menu->text());
    for (QLabel *label : activeDataWindow()->findChildren<QLabel *>()) {
        const QChar key = accessKey(label->text());
        if (key.isNull())
            continue;
        EXPECT_FALSE(keys.contains(key)) << "Alt+" << QString(key).toStdString() << " of "
                                         << label->text().toStdString();
        keys << key;
    }
    // The captions themselves stay.
    QStringList captions;
    for (QLabel *label : activeDataWindow()->findChildren<QLabel *>())
        captions << QString(label->text()).remove(u'&');
    EXPECT_TRUE(captions.contains("Table:"));
    EXPECT_TRUE(captions.contains("Round:"));
}

// With the desktop's icon theme every toolbar button shows a theme icon, not a fallback of the widget style.
TEST(Toolbar, ButtonsShowThemeIcons) {
    if (!QDir("/usr/share/icons/Adwaita").exists())
        GTEST_SKIP() << "the Adwaita icon theme is not installed";
    const QString saved = QIcon::themeName();
    const QStringList savedPaths = QIcon::themeSearchPaths();
    QIcon::setThemeSearchPaths(savedPaths + QStringList{"/usr/share/icons"});  // offscreen knows only resources
    QIcon::setThemeName("Adwaita");
    testsupport::ScratchDir home;
    testsupport::ScriptedPrompter ui;
    app::ModuleState state = app::makeModuleState(home.path(), ui);
    {
        app::frmMain main(state, ui);
        for (QAction *button : main.findChild<QToolBar *>("tbToolBar")->actions()) {
            EXPECT_FALSE(button->icon().isNull()) << button->toolTip().toStdString();
            EXPECT_FALSE(button->icon().name().isEmpty()) << button->toolTip().toStdString() << ": not in the theme";
        }
        main.endNow();
    }
    QIcon::setThemeName(saved);
    QIcon::setThemeSearchPaths(savedPaths);
}
