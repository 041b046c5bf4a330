// The spreadsheet grid of data windows: a table view over a LazyTableModel (or any table model) with row numbers
// in the row header, rows of one height, block selection (several blocks with Ctrl, whole columns by their
// headers, everything by the corner button), keyboard navigation, and Ctrl+C copying the selection as
// tab-separated text (grid/SelectionText.h).
//
// Column widths: when a query's first rows arrive, every column gets the width of its header and of the texts
// of those rows, at most maxColumnWidth(); the user may resize them afterwards.
//
// A widget: created, used and destroyed on the UI thread, owned by its Qt parent. The model is not owned (give
// it a parent, e.g. the data window).
#pragma once

#include <QTableView>

#include <vector>

namespace grid {

class LazyTableModel;

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

    // Widths of the columns: header and first loaded rows, capped.
    void fitColumnWidths();
    int maxColumnWidth() const;

    // The selection as tab-separated text, loading the rows it needs (which may take a moment on a large
    // selection); empty when nothing is selected or the rows cannot be read.
    QString selectionText() const;
    // Puts selectionText() on the clipboard.
    void copySelection();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int fittedWidth(int column, int sampleRows) const;

    int rowHeaderWidth_ = -1;
    std::vector<QMetaObject::Connection> modelConnections_;
};

}  // namespace grid
