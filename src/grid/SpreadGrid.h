// The spreadsheet grid of data windows: a table view over a LazyTableModel (or any table model) with row numbers
// in the row header, rows of one height, block selection (several blocks with Ctrl, whole columns by their
// headers, everything by the corner button), keyboard navigation, and Ctrl+C copying the selection as
// tab-separated text (grid/SelectionText.h), and the page-break marks (grid/PageBreakMarks.h).
//
// Column widths: a LazyTableModel's column gets the width of its header and of its declared type's largest
// plausible value (grid/ColumnWidths.h); a column without a type (an expression, or another model) that of its
// header and its first loaded texts, at most maxColumnWidth(). A number that arrives later and does not fit
// widens its column, unless the user has sized that column; number cells are never elided.
//
// A widget: created, used and destroyed on the UI thread, owned by its Qt parent. The model is not owned (give
// it a parent, e.g. the data window).
#pragma once

#include "print/PageBreaks.h"

#include <QTableView>

#include <vector>

namespace grid {

class LazyTableModel;
class PageBreakMarks;

class SpreadGrid : public QTableView {
    Q_OBJECT
public:
    explicit SpreadGrid(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;
    // The model when it is a LazyTableModel, else null.
    LazyTableModel *lazyModel() const;

    // Width of the row header in pixels; a negative width (the default) fits the largest row number.
    void setRowHeaderWidth(int pixels);
    int rowHeaderWidth() const;

    // Widths of the columns: header and type, or header and first loaded rows, capped (see above).
    void fitColumnWidths();
    int maxColumnWidth() const;
    // Width of a number column that fits the given text.
    int numberColumnWidth(const QString &text) const;
    // The size that shows the first `columns` columns (as wide as they are now; a default width each while the
    // model has none) and `rows` rows, with headers, scroll bars and frame.
    QSize sizeFor(int columns, int rows) const;

    // The selection as tab-separated text, loading the rows it needs (which may take a moment on a large
    // selection); empty when nothing is selected or the rows cannot be read.
    QString selectionText() const;
    // Puts selectionText() on the clipboard.
    void copySelection();

    // Draws these page-break marks (rows and columns numbered from 1) in place of the former ones, in the grid and
    // in its frozen columns; an empty set removes every mark.
    void showPageBreakMarks(const print::PageBreaks &marks);
    const print::PageBreaks &pageBreakMarks() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int fittedWidth(int column, int sampleRows) const;
    void widenForNumbers(int firstRow, int lastRow);
    void setAutomaticWidth(int column, int width);

    PageBreakMarks *marks_ = nullptr;  // the item delegate, a Qt child
    int rowHeaderWidth_ = -1;
    std::vector<bool> userSized_;  // per column: resized by the user, so left alone
    bool sizing_ = false;          // the grid itself is setting a width
    std::vector<QMetaObject::Connection> modelConnections_;
};

}  // namespace grid
