// What a data window needs of the main window that holds it: the module state, the two procedures that fill
// its lists and the page-break menu its right click pops up. The main window implements it; tests may provide
// their own.
#pragma once

#include <QPoint>

namespace app {
struct ModuleState;
}

namespace grid {

class DataWindowHost {
public:
    virtual ~DataWindowHost() = default;
    virtual void PopulateTables() = 0;
    virtual void PopulateRounds() = 0;
    virtual app::ModuleState &moduleState() = 0;
    // Pops up the main window's page-break menu at a screen position; a host without one does nothing.
    virtual void showPageBreakMenu(const QPoint &globalPos) { (void)globalPos; }
};

}  // namespace grid
