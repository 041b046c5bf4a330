#include "tables/MoveList.h"

#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace tables {

MoveList::MoveList(QWidget *parent) : QListWidget(parent) {
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);  // drops arrive at the viewport
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        if (item)
            emit moveRequested(item);
    });
}

void MoveList::mousePressEvent(QMouseEvent *event) {
    pressed_ = itemAt(event->position().toPoint());
    pressedWasSelected_ = pressed_ && pressed_->isSelected();
    QListWidget::mousePressEvent(event);
}

QMimeData *MoveList::beginDrag() {
    QListWidgetItem *item = currentItem();
    if (!item)
        return nullptr;
    if (item == pressed_)  // dragging is not clicking: the item keeps its ascending state
        item->setSelected(pressedWasSelected_);
    pressed_ = nullptr;
    auto *mime = new QMimeData;
    mime->setText(item->text());
    dragMark_ = true;
    return mime;
}

void MoveList::startDrag(Qt::DropActions) {
    QMimeData *mime = beginDrag();
    if (!mime)
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction);
    dragMark_ = false;  // the drag has ended, wherever it went
}

void MoveList::dragEnterEvent(QDragEnterEvent *event) {
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
    else
        event->ignore();
}

void MoveList::dragMoveEvent(QDragMoveEvent *event) {
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
    else
        event->ignore();
}

void MoveList::dropEvent(QDropEvent *event) { handleDrop(event); }

void MoveList::handleDrop(QDropEvent *event) {
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (dragMark_) {  // back on the list the drag began in
        dragMark_ = false;
        return;
    }
    emit droppedFromOther(event->mimeData()->text());
}

void MoveList::keyPressEvent(QKeyEvent *event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        if (QListWidgetItem *item = currentItem()) {
            emit moveRequested(item);
            event->accept();
            return;
        }
    }
    QListWidget::keyPressEvent(event);
}

}  // namespace tables
