// Placeholder: the spreadsheet grid of data windows.
#pragma once

#include <QTableView>

namespace grid {

class SpreadGrid : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;
    void setRowHeaderWidth(int) {}
    void clearPageBreakMarks() {}
    void drawPageBreakMarks() {}
};

}  // namespace grid
