// The data window's grid tools: export, Sum/Average/Count of the selection, frozen columns.
#include "grid/frmFlexGrid.h"

namespace grid {

void frmFlexGrid::DBSaveAs() {}
void frmFlexGrid::ComputeSelection(const QString &) {}
void frmFlexGrid::FreezeCols() {}
void frmFlexGrid::UnfreezeCols() {}
void frmFlexGrid::ExcelView() {}

}  // namespace grid
