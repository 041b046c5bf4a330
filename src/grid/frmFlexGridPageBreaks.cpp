// The data window's page breaks: the flags of the rows and columns that start a printed page, the commands of the
// page-break menu that set and clear them, and the redraw of their marks in the grid.
#include "grid/frmFlexGrid.h"

#include "grid/SpreadGrid.h"

#include <QHeaderView>

namespace grid {

// Called once by the constructor: a change of column width or row height redraws the marks, and nothing else.
void frmFlexGrid::setUpPageBreaks() {
    const auto redraw = [this] {
        PBreak_Clear();
        PBreak_Refresh();
    };
    connect(MSFlexGrid1->horizontalHeader(), &QHeaderView::sectionResized, this, redraw);
    connect(MSFlexGrid1->verticalHeader(), &QHeaderView::sectionResized, this, redraw);
}

int frmFlexGrid::currentRowNumber() const {
    const QModelIndex current = MSFlexGrid1->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int frmFlexGrid::currentColumnNumber() const {
    const QModelIndex current = MSFlexGrid1->currentIndex();
    return current.isValid() ? current.column() + 1 : 0;
}

void frmFlexGrid::PBreak_SetRow() {
    if (const int row = currentRowNumber()) {
        PageBreaks.rows.insert(row);
        PBreak_Refresh();
    }
}

void frmFlexGrid::PBreak_SetCol() {
    if (const int column = currentColumnNumber()) {
        PageBreaks.columns.insert(column);
        PBreak_Refresh();
    }
}

void frmFlexGrid::PBreak_DelRow() {
    PageBreaks.rows.erase(currentRowNumber());
    PBreak_Clear();
    PBreak_Refresh();
}

void frmFlexGrid::PBreak_DelCol() {
    PageBreaks.columns.erase(currentColumnNumber());
    PBreak_Clear();
    PBreak_Refresh();
}

void frmFlexGrid::PBreak_Remove() {
    PageBreaks = {};
    PBreak_Clear();
    PBreak_Refresh();
}

void frmFlexGrid::PBreak_Clear() { MSFlexGrid1->showPageBreakMarks({}); }

void frmFlexGrid::PBreak_Refresh() { MSFlexGrid1->showPageBreakMarks(PageBreaks); }

}  // namespace grid
