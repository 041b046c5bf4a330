#include "print/PrintJob.h"

#include "core/Prompter.h"
#include "db/Error.h"
#include "print/GridPagePainter.h"
#include "print/GridRowSource.h"
#include "print/PdfOutput.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace print {

namespace {

PrintDialogHook &dialogHook() {
    static PrintDialogHook hook;
    return hook;
}

// Ends the progress however the job ends.
class ProgressScope {
public:
    ProgressScope(app::Prompter &prompter, int steps) : prompter_(prompter) {
        prompter_.progressStart(QStringLiteral("Print"), steps);
    }
    ~ProgressScope() { prompter_.progressDone(); }
    ProgressScope(const ProgressScope &) = delete;
    ProgressScope &operator=(const ProgressScope &) = delete;
    bool step(int done) { return prompter_.progressStep(done, QString::fromLatin1(kPrintingLabel)); }

private:
    app::Prompter &prompter_;
};

// The pages chosen in the print dialog (its "Pages from ... to ..."), 0-based, within the layout's.
PageRange chosenPages(const QPrinter &printer, int pageCount) {
    PageRange range{0, pageCount - 1};
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        range.first = std::min(printer.fromPage(), pageCount) - 1;
        range.last = std::clamp(printer.toPage() > 0 ? printer.toPage() : pageCount, range.first + 1, pageCount) - 1;
    }
    return range;
}

bool paintOnPrinter(QPrinter &printer, const GridPageLayout &layout, GridRowSource &source, PageRange range,
                    ProgressScope &progress) {
    printer.setPageLayout(layout.pageLayout());
    QPainter painter;
    if (!painter.begin(&printer))
        throw db::Error(kPrinterError, QStringLiteral("The printer could not be started."));
    painter.setTransform(pointsToDevice(printer));
    for (int page = range.first; page <= range.last; ++page) {
        if (page > range.first && !printer.newPage())
            throw db::Error(kPrinterError, QStringLiteral("The printer could not start a new page."));
        paintPage(painter, layout, page, source);
        if (!progress.step(page - range.first + 1)) {
            printer.abort();
            painter.end();
            return false;
        }
    }
    if (!painter.end())
        throw db::Error(kPrinterError, QStringLiteral("The printer could not finish the job."));
    return true;
}

}  // namespace

void setUpPrinter(QPrinter &printer, const PrintSettings &settings) {
    printer.setFullPage(true);
    printer.setPageOrientation(settings.orientation == kPortrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    const double point = 72.0 / kTwipsPerInch;
    printer.setPageMargins(QMarginsF(settings.marginLeft * point, settings.marginTop * point,
                                     settings.marginRight * point, settings.marginBottom * point),
                           QPageLayout::Point);
}

bool askForPrinter(QPrinter &printer, QWidget *parent) {
    if (dialogHook())
        return dialogHook()(printer);
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void setPrintDialogHook(PrintDialogHook hook) { dialogHook() = std::move(hook); }

void takePrinterPage(const QPrinter &printer, LayoutInput &input) {
    const QPageLayout page = printer.pageLayout();
    input.paper = page.pageSize();
    input.settings.orientation = page.orientation() == QPageLayout::Portrait ? kPortrait : kLandscape;
}

bool printLayout(QPrinter &printer, const GridPageLayout &layout, GridRowSource &source, app::Prompter &prompter) {
    const PageRange range = chosenPages(printer, layout.pageCount());
    ProgressScope progress(prompter, range.last - range.first + 1);
    if (!progress.step(0))
        return false;
    const QString file = printer.outputFileName();
    if (printer.outputFormat() == QPrinter::PdfFormat && !file.isEmpty())
        return writePdf(layout, source, file, [&progress](int done, int) { return progress.step(done); }, range);
    if (!paintOnPrinter(printer, layout, source, range, progress))
        return false;
    if (!file.isEmpty() && QFileInfo(file).size() <= 0)
        throw db::Error(db::err::FileAccess, QStringLiteral("The file %1 could not be written.").arg(file));
    return true;
}

}  // namespace print
