// What a data window needs of the main window that holds it: the module state, the two procedures that fill
// its lists, the page-break menu its right click pops up, and a place for the windows it makes. The main window implements it; tests may provide
// their own.
#pragma once

#include <QPoint>
#include <QWidget>

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
    // Shows a window a data window made (the workbook of an analysis) beside the data windows, and takes it over;
    // a host without an MDI area shows it as a window of its own.
    virtual void showChildWindow(QWidget *window) { window->show(); }
};

}  // namespace grid
