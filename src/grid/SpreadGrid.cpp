#include "grid/SpreadGrid.h"

#include "grid/LazyTableModel.h"
#include "grid/SelectionText.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

namespace grid {

namespace {

constexpr int kSampleRows = 50;       // rows whose texts set a column's width
constexpr int kCellPadding = 12;      // room around a cell's text
constexpr int kMaxColumnChars = 40;   // widest column, in average characters
constexpr int kCopyTimeoutMs = 30000;  // per chunk of rows copied

}  // namespace

SpreadGrid::SpreadGrid(QWidget *parent) : QTableView(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(true);
    QHeaderView *rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    rows->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QHeaderView *columns = horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setSectionsClickable(true);
    columns->setHighlightSections(true);
}

void SpreadGrid::setModel(QAbstractItemModel *model) {
    if (model == this->model())
        return;
    for (const QMetaObject::Connection &connection : modelConnections_)
        disconnect(connection);
    modelConnections_.clear();
    QTableView::setModel(model);
    if (!model)
        return;
    modelConnections_.push_back(connect(model, &QAbstractItemModel::modelReset, this, &SpreadGrid::fitColumnWidths));
    if (auto *lazy = qobject_cast<LazyTableModel *>(model))
        modelConnections_.push_back(connect(lazy, &LazyTableModel::firstRowsReady, this, &SpreadGrid::fitColumnWidths));
    fitColumnWidths();
}

LazyTableModel *SpreadGrid::lazyModel() const { return qobject_cast<LazyTableModel *>(model()); }

void SpreadGrid::setRowHeaderWidth(int pixels) {
    rowHeaderWidth_ = pixels;
    if (pixels < 0) {
        verticalHeader()->setMinimumWidth(0);
        verticalHeader()->setMaximumWidth(QWIDGETSIZE_MAX);
    } else {
        verticalHeader()->setFixedWidth(pixels);
    }
    updateGeometries();
}

int SpreadGrid::rowHeaderWidth() const { return rowHeaderWidth_ < 0 ? verticalHeader()->width() : rowHeaderWidth_; }

int SpreadGrid::maxColumnWidth() const { return fontMetrics().averageCharWidth() * kMaxColumnChars + kCellPadding; }

int SpreadGrid::fittedWidth(int column, int sampleRows) const {
    const QAbstractItemModel *m = model();
    const QString header = m->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    int width = horizontalHeader()->fontMetrics().horizontalAdvance(header) + 2 * kCellPadding;
    const LazyTableModel *lazy = lazyModel();
    for (int row = 0; row < sampleRows; ++row) {
        if (lazy && !lazy->isRowLoaded(row))  // never ask the model for rows just to measure them
            break;
        const QString text = m->data(m->index(row, column), Qt::DisplayRole).toString();
        width = std::max(width, fontMetrics().horizontalAdvance(text) + kCellPadding);
    }
    return std::min(width, maxColumnWidth());
}

void SpreadGrid::fitColumnWidths() {
    const QAbstractItemModel *m = model();
    if (!m)
        return;
    const int sampleRows = std::min(m->rowCount(), kSampleRows);
    for (int column = 0; column < m->columnCount(); ++column)
        setColumnWidth(column, fittedWidth(column, sampleRows));
}

QString SpreadGrid::selectionText() const {
    if (!model() || !selectionModel())
        return {};
    const QItemSelection selection = selectionModel()->selection();
    LazyTableModel *lazy = lazyModel();
    if (!lazy)
        return grid::selectionText(selection, *model());
    const RowLoader loader = [lazy](int first, int last) { return lazy->waitForRows(first, last, kCopyTimeoutMs); };
    return grid::selectionText(selection, *model(), loader, LazyTableModel::maxWaitRows());
}

void SpreadGrid::copySelection() {
    const QString text = selectionText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void SpreadGrid::keyPressEvent(QKeyEvent *event) {
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace grid
