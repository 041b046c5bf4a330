#include "app/WindowArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace app {

namespace {

QList<QMdiSubWindow *> shownWindows(QMdiArea *area) {
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *w : area->subWindowList(QMdiArea::CreationOrder))
        if (w->isVisible() && !w->isMinimized())
            windows << w;
    return windows;
}

void tile(QMdiArea *area, bool strips) {
    const QList<QMdiSubWindow *> windows = shownWindows(area);
    if (windows.isEmpty())
        return;
    const QSize space = area->viewport()->size();
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *w = windows[i];
        if (w->isMaximized())
            w->showNormal();
        if (strips)  // one above another
            w->setGeometry(0, i * space.height() / n, space.width(), space.height() / n);
        else  // side by side
            w->setGeometry(i * space.width() / n, 0, space.width() / n, space.height());
    }
}

}  // namespace

void cascade(QMdiArea *area) {
    const QList<QMdiSubWindow *> windows = shownWindows(area);
    const QSize room = area->viewport()->size();
    int offset = 0;
    for (QMdiSubWindow *w : windows) {
        if (w->isMaximized())
            w->showNormal();
        const QSize size = w->sizeHint().boundedTo(room).expandedTo(QSize(320, 200));  // usable in a tiny frame
        const int step = w->widget() ? std::max(w->height() - w->widget()->height(), 16) : 24;
        if (offset + size.width() > room.width() || offset + size.height() > room.height())
            offset = 0;
        w->setGeometry(offset, offset, size.width(), size.height());
        w->raise();
        offset += step;
    }
    if (!windows.isEmpty())
        area->setActiveSubWindow(area->activeSubWindow() ? area->activeSubWindow() : windows.back());
}

void tileHorizontal(QMdiArea *area) { tile(area, true); }

void tileVertical(QMdiArea *area) { tile(area, false); }

void arrangeIcons(QMdiArea *area) {
    int x = 0;
    for (QMdiSubWindow *w : area->subWindowList(QMdiArea::CreationOrder)) {
        if (!w->isMinimized())
            continue;
        const QSize size = w->size();
        w->move(x, area->viewport()->height() - size.height());
        x += size.width();
    }
}

}  // namespace app
