// A list of column names whose items move to a partner list by double-click, Enter or drag and drop, as the
// Table Actions dialog's two list pairs do. The list only reports what the user did; the dialog moves the items.
//
// A drag carries the current item's text as plain text. While a drag that began in this list is under way, the
// list's drag mark is set; a drop while it is set came back to the list it began in and changes nothing.
//
// GUI thread only.
#pragma once

#include <QListWidget>

class QMimeData;

namespace tables {

class MoveList : public QListWidget {
    Q_OBJECT
public:
    explicit MoveList(QWidget *parent = nullptr);

    bool dragMark() const { return dragMark_; }
    void setDragMark(bool on) { dragMark_ = on; }
    // What starting a drag does: sets the drag mark, gives the current item back the selected state it had before
    // the mouse press that began the drag (a press on an unselected item of a multi-selection list selects it),
    // and returns the dragged data (the current item's text), or null without a current item. startDrag() calls
    // it, then runs the drag.
    QMimeData *beginDrag();
    // What a drop on the list does (dropEvent() calls it; tests call it with an event built by hand, which Qt
    // delivers only while a drag is under way).
    void handleDrop(QDropEvent *event);

signals:
    // Double-click or Enter on an item (never null).
    void moveRequested(QListWidgetItem *item);
    // Text dropped here from elsewhere (the partner list).
    void droppedFromOther(const QString &text);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    bool dragMark_ = false;
    QListWidgetItem *pressed_ = nullptr;  // the item under the last mouse press, and its selected state before it
    bool pressedWasSelected_ = false;
};

}  // namespace tables
