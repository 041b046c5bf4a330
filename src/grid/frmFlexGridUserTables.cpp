// The data window's commands on user-defined tables: dropping one, building one from the Query Builder.
#include "grid/frmFlexGrid.h"

namespace grid {

void frmFlexGrid::DropTable() {}
void frmFlexGrid::TableSql2() {}

}  // namespace grid
