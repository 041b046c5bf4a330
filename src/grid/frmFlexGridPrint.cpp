// The data window's File > Print: the platform's print dialog, then the pages of the shown rows.
#include "grid/frmFlexGrid.h"

#include "core/ModuleState.h"
#include "db/Error.h"
#include "grid/DataWindowHost.h"
#include "grid/LazyTableModel.h"
#include "grid/SpreadGrid.h"
#include "print/GridRowSource.h"
#include "print/PrintJob.h"

#include <QPrinter>

#include <algorithm>

namespace grid {

bool frmFlexGrid::PrintGrid() {
    try {
        QPrinter printer(QPrinter::HighResolution);
        print::setUpPrinter(printer, PrintSettings);
        if (!print::askForPrinter(printer, this))
            return false;
        // The rows come from the table itself, on a connection of the job's own, never from the grid's loaded rows.
        print::GridRowSource source(Data1->databasePath(), statement_, locale());
        print::LayoutInput input;
        input.headings = source.headings();
        // The grid's widths as the user left them; columns the grid has not laid out yet get the layout's inch.
        const int laidOut = std::min<int>(int(input.headings.size()), Data1->columnCount());
        for (int column = 0; column < laidOut; ++column)
            input.widths.push_back(MSFlexGrid1->columnWidth(column) * print::kPointsPerPixel);
        input.rowCount = source.rowCount();
        input.settings = PrintSettings;
        input.breaks = PageBreaks;
        input.footer = {table_, round_};
        print::takePrinterPage(printer, input);
        const print::GridPageLayout layout(std::move(input));
        return print::printLayout(printer, layout, source, host_.moduleState().ui());
    } catch (const db::Error &error) {
        showError(error.number(), error.description());
        return false;
    }
}

}  // namespace grid
