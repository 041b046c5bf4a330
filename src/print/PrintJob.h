// Printing a data window's sheet on a QPrinter: the printer set up from the window's print settings, the
// platform's print dialog, and the job that paints the pages.
//
// The job paints one page at a time on the GUI thread, reporting each page to the prompter's progress (which
// keeps the window responsive and whose Cancel stops the job) and reading only that page's rows. A printer set
// to PDF output with a file name is written through writePdf: to a temporary file renamed when complete, so a
// failed or cancelled job leaves no file. Part of the desktop program (QtPrintSupport). GUI thread only.
#pragma once

#include "print/GridPageLayout.h"

#include <functional>

class QPrinter;
class QWidget;

namespace app {
class Prompter;
}

namespace print {

class GridRowSource;

// The label of the progress shown while printing.
inline constexpr char kPrintingLabel[] = "Printing - Click Cancel to quit";

// Sets the printer's orientation and margins from settings; the layout draws its own margins, so the printer
// prints on the full paper.
void setUpPrinter(QPrinter &printer, const PrintSettings &settings);

// Shows the print dialog for printer; false when cancelled.
bool askForPrinter(QPrinter &printer, QWidget *parent);

// Replaces askForPrinter's dialog (tests): the hook gets the printer and answers as the dialog would. An empty
// hook restores the dialog.
using PrintDialogHook = std::function<bool(QPrinter &)>;
void setPrintDialogHook(PrintDialogHook hook);

// The layout's input with the paper and orientation the printer was left with by its dialog.
void takePrinterPage(const QPrinter &printer, LayoutInput &input);

// Prints the pages of layout chosen in the print dialog (all, or its page range) on printer, rows read from
// source. True when printed; false when cancelled
// (the printer's job is aborted). Raises db::Error when the printer cannot start or a page fails, and when a
// print to file leaves no file.
bool printLayout(QPrinter &printer, const GridPageLayout &layout, GridRowSource &source, app::Prompter &prompter);

}  // namespace print
