#include "analysis/WorkbookFile.h"

#include "analysis/PivotSheet.h"
#include "analysis/WorkbookSheets.h"
#include "core/FileSync.h"
#include "db/Error.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace analysis {

using tables::XlsxBook;

namespace {

db::Error fileError(const QString &detail) {
    return db::Error(db::err::FileAccess, QStringLiteral("Path/File access error: ") + detail);
}

// Renames the finished temporary file over the target, with the permissions a new file gets (the temporary one
// is the owner's alone) or those of the file it replaces.
void putInPlace(QTemporaryFile &temporary, const QString &target) {
    temporary.setPermissions(QFile::exists(target)
                                 ? QFile::permissions(target)
                                 : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    app::syncFile(temporary.fileName());
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        throw fileError(QString::fromLocal8Bit(std::strerror(errno)));
    temporary.setAutoRemove(false);  // it is the target now
    app::syncFolder(QFileInfo(target).absolutePath());
}

}  // namespace

QString dataSheetName(int index) {
    return index <= 0 ? QStringLiteral("Sheet1") : QStringLiteral("Sheet1 (%1)").arg(index + 1);
}

QString pivotSheetName(int index) {
    return index <= 0 ? QStringLiteral("PivotTable1") : QStringLiteral("PivotTable1 (%1)").arg(index + 1);
}

std::optional<WorkbookWritten> writeWorkbookFile(const QString &path, const AnalysisResult &result,
                                                 const std::function<bool(qint64, qint64)> &progress,
                                                 const SheetLimits &limits) {
    const WorkbookWritten written{dataSheetCount(result.dataSet, limits), pivotSheetCount(result.pivot, limits)};
    const qint64 total =
        result.dataSet.rowCount() + qint64(written.pivotSheets) * (kPivotHeaderRows + result.pivot.rowCount());
    WriteProgress counter(progress, total);
    if (counter.cancelled())
        return std::nullopt;

    // The library writes a file by name: it gets a temporary name beside the target, which goes away on every
    // path but success.
    const QFileInfo info(path);
    QTemporaryFile temporary(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    if (!temporary.open())
        throw fileError(temporary.errorString());
    temporary.close();
    {
        XlsxBook book(temporary.fileName(), info.absolutePath());
        if (!writeDataSheets(book, result.dataSet, limits, counter) ||
            !writePivotSheets(book, result.pivot, limits, counter))
            return std::nullopt;
        book.close();
    }
    putInPlace(temporary, path);
    return written;
}

std::optional<WorkbookWritten> writeWorkbook(const QString &path, const AnalysisResult &result,
                                             const std::function<bool(qint64, qint64)> &progress) {
    return writeWorkbookFile(path, result, progress, SheetLimits{});
}

}  // namespace analysis
