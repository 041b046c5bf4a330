#include "grid/SpreadGrid.h"

#include "grid/CellText.h"
#include "grid/ColumnWidths.h"
#include "grid/LazyTableModel.h"
#include "grid/FrozenColumns.h"
#include "grid/PageBreakMarks.h"
#include "grid/SelectionText.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

namespace grid {

namespace {

constexpr int kSampleRows = 50;       // rows whose texts set a column's width
constexpr int kCellPadding = 12;      // room around a cell's text
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
    marks_ = new PageBreakMarks(this);
    setItemDelegate(marks_);
    connect(columns, &QHeaderView::sectionResized, this, [this](int column, int, int) {
        if (sizing_ || column < 0)
            return;
        if (size_t(column) >= userSized_.size())
            userSized_.resize(size_t(column) + 1, false);
        userSized_[size_t(column)] = true;
    });
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
    modelConnections_.push_back(connect(model, &QAbstractItemModel::dataChanged, this,
                                        [this](const QModelIndex &from, const QModelIndex &to) {
                                            widenForNumbers(from.row(), to.row());
                                        }));
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

int SpreadGrid::maxColumnWidth() const { return fontMetrics().averageCharWidth() * kMaxTextChars + kCellPadding; }

int SpreadGrid::numberColumnWidth(const QString &text) const {
    return fontMetrics().horizontalAdvance(text) + kCellPadding;
}

int SpreadGrid::fittedWidth(int column, int sampleRows) const {
    const QAbstractItemModel *m = model();
    const QString header = m->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const int headerWidth = horizontalHeader()->fontMetrics().horizontalAdvance(header) + 2 * kCellPadding;
    const LazyTableModel *lazy = lazyModel();
    if (lazy && size_t(column) < lazy->fields().size()) {
        const db::Field &field = lazy->fields()[size_t(column)];
        const int typeWidth = typeTextWidth(field, fontMetrics(), lazy->displayLocale());
        if (typeWidth > 0) {
            const int width = std::max(headerWidth, typeWidth + kCellPadding);
            return field.type == db::ColumnType::Text || field.type == db::ColumnType::Memo
                       ? std::min(width, maxColumnWidth())
                       : width;  // numbers and dates are never cut
        }
    }
    int width = headerWidth;
    for (int row = 0; row < sampleRows; ++row) {
        if (lazy && !lazy->isRowLoaded(row))  // never ask the model for rows just to measure them
            break;
        const QString text = m->data(m->index(row, column), Qt::DisplayRole).toString();
        width = std::max(width, fontMetrics().horizontalAdvance(text) + kCellPadding);
    }
    return std::min(width, maxColumnWidth());
}

QSize SpreadGrid::sizeFor(int columns, int rows) const {
    const int count = model() ? model()->columnCount() : 0;
    // The row numbers' column is allowed five digits: the rows are still being counted when a window is sized.
    const int fiveDigits = verticalHeader()->fontMetrics().horizontalAdvance(QStringLiteral("99999")) + kCellPadding;
    const int rowNumbers = std::max(verticalHeader()->sizeHint().width(), fiveDigits);
    int width = 2 * frameWidth() + rowNumbers + verticalScrollBar()->sizeHint().width();
    const int shown = count > 0 ? std::min(columns, count) : columns;
    for (int column = 0; column < shown; ++column)
        width += count > 0 ? columnWidth(column) : horizontalHeader()->defaultSectionSize();
    const int height = 2 * frameWidth() + horizontalHeader()->sizeHint().height() +
                       rows * verticalHeader()->defaultSectionSize() + horizontalScrollBar()->sizeHint().height();
    return {width, height};
}

void SpreadGrid::setAutomaticWidth(int column, int width) {
    sizing_ = true;
    setColumnWidth(column, width);
    sizing_ = false;
}

void SpreadGrid::fitColumnWidths() {
    const QAbstractItemModel *m = model();
    if (!m)
        return;
    userSized_.assign(size_t(m->columnCount()), false);
    const int sampleRows = std::min(m->rowCount(), kSampleRows);
    for (int column = 0; column < m->columnCount(); ++column)
        setAutomaticWidth(column, fittedWidth(column, sampleRows));
    widenForNumbers(0, sampleRows - 1);
}

// Rows that arrived: a number wider than its column widens it (the user's own widths are kept). Columns whose
// declared type is not a number are skipped; of the others only the longest texts are measured.
void SpreadGrid::widenForNumbers(int firstRow, int lastRow) {
    const QAbstractItemModel *m = model();
    if (!m || firstRow < 0 || lastRow < firstRow)
        return;
    const LazyTableModel *lazy = lazyModel();
    for (int column = 0; column < m->columnCount(); ++column) {
        if (size_t(column) < userSized_.size() && userSized_[size_t(column)])
            continue;
        if (lazy && size_t(column) < lazy->fields().size() && !db::isNumericType(lazy->fields()[size_t(column)].type) &&
            lazy->fields()[size_t(column)].type != db::ColumnType::Unknown)
            continue;
        int width = columnWidth(column);
        qsizetype longest = 0;
        for (int row = firstRow; row <= lastRow && row < m->rowCount(); ++row) {
            if (lazy && !lazy->isRowLoaded(row))
                continue;
            const QModelIndex index = m->index(row, column);
            if (!(Qt::Alignment(m->data(index, Qt::TextAlignmentRole).toInt()) & Qt::AlignRight))
                continue;  // not a number
            const QString text = m->data(index, Qt::DisplayRole).toString();
            if (text.size() + 1 < longest)
                continue;  // a number two characters shorter is narrower
            longest = std::max(longest, text.size());
            width = std::max(width, numberColumnWidth(text));
        }
        if (width > columnWidth(column))
            setAutomaticWidth(column, width);
    }
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

void SpreadGrid::showPageBreakMarks(const print::PageBreaks &marks) {
    marks_->setMarks(marks);
    viewport()->update();
    if (QTableView *frozen = FrozenColumns::overlay(*this))
        frozen->viewport()->update();
}

const print::PageBreaks &SpreadGrid::pageBreakMarks() const { return marks_->marks(); }

void SpreadGrid::keyPressEvent(QKeyEvent *event) {
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace grid
