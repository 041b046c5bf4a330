#include "grid/FrozenColumns.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>

namespace grid {

namespace {

const char *const kName = "frozenColumns";

}  // namespace

void FrozenColumns::freeze(QTableView &grid, int count) {
    auto *frozen = grid.findChild<FrozenColumns *>(QLatin1String(kName), Qt::FindDirectChildrenOnly);
    if (count <= 0 || !grid.model()) {
        if (frozen)
            frozen->release();
        delete frozen;
        return;
    }
    if (frozen)
        frozen->setCount(count);
    else
        new FrozenColumns(grid, count);
}

int FrozenColumns::frozenCount(const QTableView &grid) {
    const auto *frozen = grid.findChild<FrozenColumns *>(QLatin1String(kName), Qt::FindDirectChildrenOnly);
    return frozen ? frozen->count_ : 0;
}

QTableView *FrozenColumns::overlay(const QTableView &grid) {
    const auto *frozen = grid.findChild<FrozenColumns *>(QLatin1String(kName), Qt::FindDirectChildrenOnly);
    return frozen ? frozen->view_ : nullptr;
}

FrozenColumns::FrozenColumns(QTableView &grid, int count) : QObject(&grid), grid_(grid) {
    setObjectName(QLatin1String(kName));
    view_ = new QTableView(&grid);
    view_->setObjectName(QStringLiteral("frozenColumnsView"));
    view_->setModel(grid.model());
    view_->setSelectionModel(grid.selectionModel());
    view_->setItemDelegate(grid.itemDelegate());
    view_->setFocusPolicy(Qt::NoFocus);
    view_->setSelectionMode(grid.selectionMode());
    view_->setSelectionBehavior(grid.selectionBehavior());
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(grid.verticalHeader()->defaultSectionSize());
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setVerticalScrollMode(grid.verticalScrollMode());
    view_->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
    grid.viewport()->stackUnder(view_);
    // Pixel scrolling, so that the columns beside the frozen ones slide beneath them a pixel at a time.
    savedScrollMode_ = int(grid.horizontalScrollMode());
    grid.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    connect(grid.horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (column < count_)
            view_->setColumnWidth(column, size);
        updateGeometry();
    });
    // The frozen columns' header is the overlay's: widths set there go to the grid.
    connect(view_->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (column < count_ && grid_.columnWidth(column) != size)
            grid_.setColumnWidth(column, size);
    });
    connect(grid.verticalScrollBar(), &QScrollBar::valueChanged, view_->verticalScrollBar(), &QScrollBar::setValue);
    connect(view_->verticalScrollBar(), &QScrollBar::valueChanged, grid.verticalScrollBar(), &QScrollBar::setValue);
    connect(grid.horizontalHeader(), &QHeaderView::geometriesChanged, this, [this] { updateGeometry(); });
    connect(grid.model(), &QAbstractItemModel::modelReset, this, [this] { applyColumns(); });
    connect(grid.model(), &QAbstractItemModel::columnsInserted, this, [this] { applyColumns(); });
    connect(grid.model(), &QAbstractItemModel::columnsRemoved, this, [this] { applyColumns(); });
    connect(grid.selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { keepCurrentVisible(); });
    grid.installEventFilter(this);
    setCount(count);
    view_->show();
}

// Not in the destructor: when the grid itself goes, it deletes this object while it is half destroyed.
void FrozenColumns::release() {
    grid_.removeEventFilter(this);
    grid_.setHorizontalScrollMode(QAbstractItemView::ScrollMode(savedScrollMode_));
    delete view_;
    view_ = nullptr;
}

FrozenColumns::~FrozenColumns() = default;

void FrozenColumns::setCount(int count) {
    count_ = count;
    applyColumns();
}

// The overlay shows the frozen columns at the grid's widths and hides the rest.
void FrozenColumns::applyColumns() {
    const int columns = grid_.model()->columnCount();
    for (int column = 0; column < columns; ++column) {
        view_->setColumnHidden(column, column >= count_);
        if (column < count_)
            view_->setColumnWidth(column, grid_.columnWidth(column));
    }
    view_->verticalHeader()->setDefaultSectionSize(grid_.verticalHeader()->defaultSectionSize());
    view_->verticalScrollBar()->setValue(grid_.verticalScrollBar()->value());
    updateGeometry();
}

void FrozenColumns::updateGeometry() {
    int width = 0;
    const int columns = std::min(count_, grid_.model()->columnCount());
    for (int column = 0; column < columns; ++column)
        width += grid_.columnWidth(column);
    width = std::min(width, grid_.viewport()->width());
    view_->horizontalHeader()->setFixedHeight(grid_.horizontalHeader()->height());
    view_->setGeometry(grid_.verticalHeader()->width() + grid_.frameWidth(), grid_.frameWidth(), width,
                       grid_.viewport()->height() + grid_.horizontalHeader()->height());
    view_->setVisible(width > 0);
}

// A current cell right of the frozen ones but hidden beneath them scrolls out from under the overlay.
void FrozenColumns::keepCurrentVisible() {
    const QModelIndex current = grid_.currentIndex();
    if (!current.isValid() || current.column() < count_)
        return;
    const int hiddenBy = view_->width() - grid_.visualRect(current).x();
    if (hiddenBy > 0)
        grid_.horizontalScrollBar()->setValue(grid_.horizontalScrollBar()->value() - hiddenBy);
}

bool FrozenColumns::eventFilter(QObject *watched, QEvent *event) {
    if (watched == &grid_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        updateGeometry();
    return QObject::eventFilter(watched, event);
}

}  // namespace grid
