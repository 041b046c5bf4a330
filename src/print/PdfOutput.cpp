#include "print/PdfOutput.h"

#include "db/Error.h"
#include "print/GridPagePainter.h"
#include "print/GridRowSource.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace print {

namespace {

constexpr int kPdfResolution = 600;  // dots per inch of the PDF's coordinates

// Paints pages first .. last; false when cancelled.
bool paintPages(QPdfWriter &writer, const GridPageLayout &layout, GridRowSource &source, PageRange range,
                const PrintProgress &progress) {
    QPainter painter;
    if (!painter.begin(&writer))
        throw db::Error(kPrinterError, QStringLiteral("The PDF could not be started."));
    painter.setTransform(pointsToDevice(writer));
    const int total = range.last - range.first + 1;
    for (int page = range.first; page <= range.last; ++page) {
        if (page > range.first && !writer.newPage())
            throw db::Error(kPrinterError, QStringLiteral("The PDF could not start a new page."));
        paintPage(painter, layout, page, source);
        if (progress && !progress(page - range.first + 1, total)) {
            painter.end();
            return false;
        }
    }
    if (!painter.end())
        throw db::Error(kPrinterError, QStringLiteral("The PDF could not be finished."));
    return true;
}

}  // namespace

bool writePdf(const GridPageLayout &layout, GridRowSource &source, const QString &target,
              const PrintProgress &progress, PageRange range) {
    if (range.last < 0 || range.last >= layout.pageCount())
        range.last = layout.pageCount() - 1;
    range.first = std::clamp(range.first, 0, range.last);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        throw pdfWriteError(target, file.errorString());
    bool complete = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(layout.pageLayout());
        writer.setCreator(QStringLiteral("Lotwise"));
        writer.setTitle(layout.input().footer.text());
        complete = paintPages(writer, layout, source, range, progress);
    }
    if (!complete) {
        file.cancelWriting();
        return false;
    }
    commitPdf(file, target);
    return true;
}

db::Error pdfWriteError(const QString &target, QString reason) {
    if (reason.isEmpty() || reason == QLatin1String("Unknown error"))
        reason = QStringLiteral("the disk may be full");
    return db::Error(db::err::FileAccess, QStringLiteral("The PDF file %1 could not be written: %2. No file was made.")
                                              .arg(QDir::toNativeSeparators(target), reason));
}

void commitPdf(QSaveFile &file, const QString &target) {
    if (file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw pdfWriteError(target, reason);
    }
    if (!file.commit())
        throw pdfWriteError(target, file.errorString());
}

}  // namespace print
