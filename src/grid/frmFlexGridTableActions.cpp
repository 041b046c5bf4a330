// The data window's Sort, Filter, Reset and Table Wizard commands.
#include "grid/frmFlexGrid.h"

namespace grid {

void frmFlexGrid::TableSort() {}
void frmFlexGrid::TableFilt() {}
void frmFlexGrid::TableReset() {}
void frmFlexGrid::TableWiz() {}

}  // namespace grid
