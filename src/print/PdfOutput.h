// Writing the pages of a GridPageLayout to a PDF file (QPdfWriter), with the rows read band by band.
//
// The PDF is written to a temporary file beside the target and renamed over it only when complete: a failure (a
// folder that cannot be written, a full disk) raises db::Error and a cancelled job returns false, both leaving
// no file behind and any earlier file of that name as it was. Runs on one thread (a worker's or the UI's);
// needs a QGuiApplication (fonts). The caller keeps layout and source alive for the call.
#pragma once

#include "print/GridPageLayout.h"

#include "db/Error.h"

#include <QSaveFile>
#include <QString>

#include <functional>

namespace print {

class GridRowSource;

// Called after each page with the pages done and the pages to do; returning false cancels the job.
using PrintProgress = std::function<bool(int done, int total)>;

// Pages first .. last, 0-based and inclusive; last -1 for the last page.
struct PageRange {
    int first = 0;
    int last = -1;
};

// True when written; false when cancelled through progress. Raises db::Error.
bool writePdf(const GridPageLayout &layout, GridRowSource &source, const QString &target,
              const PrintProgress &progress = {}, PageRange range = {});

// The error of a PDF file that cannot be written (75), with the reason; a write that fails part way (a full
// disk, a size limit) may leave Qt without one, and the disk is then named.
db::Error pdfWriteError(const QString &target, QString reason);

// Puts a finished PDF in place of target: raises pdfWriteError, leaving no file, when a write of file failed or
// the rename fails.
void commitPdf(QSaveFile &file, const QString &target);

}  // namespace print
