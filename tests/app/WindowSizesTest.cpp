// What a new user sees first: data windows large enough for eight columns and twenty rows yet inside the frame,
// cascading that keeps that size, a table list wide enough for the longest table name, an opening dialog whose
// title fits, a help window inside the screen.
#include "app/MainWindowFixture.h"

#include "app/HelpWindow.h"
#include "app/frmOpeningQuestions.h"
#include "grid/DropDownList.h"
#include "grid/SpreadGrid.h"
#include "grid/frmFlexGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStyleOptionComboBox>

namespace {

bool inside(const QRect &outer, const QRect &inner) { return outer.contains(inner); }

// The grid's viewport shows the first eight columns and twenty rows whole.
void expectEightColumnsTwentyRows(grid::frmFlexGrid *data) {
    grid::SpreadGrid *g = data->MSFlexGrid1;
    int columns = 0;
    for (int c = 0; c < 8; ++c)
        columns += g->columnWidth(c);
    EXPECT_GE(g->viewport()->width(), columns);
    EXPECT_GE(g->viewport()->height(), 20 * g->verticalHeader()->defaultSectionSize());
}

}  // namespace

TEST_F(MainWindowFixture, DataWindowsShowEightColumnsAndTwentyRowsInsideTheFrame) {
    window->resize(1500, 1000);
    QApplication::processEvents();
    openThroughFileOpen(buildAuction(3));
    ASSERT_NE(activeDataWindow(), nullptr);
    QApplication::processEvents();
    expectEightColumnsTwentyRows(activeDataWindow());
    trigger("mnuFileNew");
    trigger("mnuFileNew");
    QApplication::processEvents();
    const QRect room(QPoint(0, 0), window->mdiArea()->viewport()->size());
    for (QMdiSubWindow *sub : window->mdiArea()->subWindowList())
        EXPECT_TRUE(inside(room, sub->geometry()));
    expectEightColumnsTwentyRows(activeDataWindow());

    // Cascading keeps that size; windows made small are brought back to it.
    for (QMdiSubWindow *sub : window->mdiArea()->subWindowList())
        sub->resize(200, 150);
    trigger("mnuWindowCascade");
    QApplication::processEvents();
    for (QMdiSubWindow *sub : window->mdiArea()->subWindowList()) {
        EXPECT_TRUE(inside(room, sub->geometry()));
        expectEightColumnsTwentyRows(qobject_cast<grid::frmFlexGrid *>(sub->widget()));
    }

    // A frame too small for that: the windows fill it and go no further.
    window->resize(500, 360);
    QApplication::processEvents();
    trigger("mnuFileNew");
    trigger("mnuWindowCascade");
    QApplication::processEvents();
    const QRect small(QPoint(0, 0), window->mdiArea()->viewport()->size());
    for (QMdiSubWindow *sub : window->mdiArea()->subWindowList())
        EXPECT_TRUE(inside(small, sub->geometry())) << sub->geometry().width() << "x" << sub->geometry().height();
}

TEST_F(MainWindowFixture, TableListFitsTheLongestTableName) {
    openThroughFileOpen(buildAuction(2));
    grid::DropDownList *list = activeDataWindow()->ddlTableName;
    list->setCurrentIndex(list->findText("Bidders Raising Own High Bid"));
    ASSERT_GE(list->currentIndex(), 0);
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = false;
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
    EXPECT_GE(field.width(), list->fontMetrics().horizontalAdvance(list->currentText()));
}

TEST(OpeningDialog, TitleFitsItsWindow) {
    app::frmOpeningQuestions dialog;
    const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
    EXPECT_GT(dialog.minimumWidth(), title.horizontalAdvance(dialog.windowTitle()) + 80);
}

// However the main window lies, the help window opens wholly on the screen.
TEST_F(MainWindowFixture, HelpWindowOpensInsideTheScreen) {
    const QRect room = window->screen()->availableGeometry();
    window->setGeometry(room.right() - 200, room.bottom() - 150, 600, 400);
    trigger("mnuHelpContents");
    auto *help = window->findChild<app::HelpWindow *>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    const QRect frame = help->frameGeometry();
    EXPECT_TRUE(inside(room, frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
    help->close();
}
