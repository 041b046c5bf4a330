#include "tables/TableExport.h"

#include "core/FileSync.h"
#include "db/Error.h"
#include "tables/TableExportCursor.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tables {

namespace {

db::Error fileError(const QString &detail) {
    return db::Error(db::err::FileAccess, QStringLiteral("Path/File access error: ") + detail);
}

// Text formats through QSaveFile: written to a temporary file beside the target, renamed over it on commit.
ExportResult exportText(ExportCursor &cursor, const QString &target, const ExportOptions &options) {
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw fileError(file.errorString());
    if (options.format == ExportFormat::Csv)
        writeCsv(cursor, file);
    else
        writeTabText(cursor, file, options.locale);
    if (cursor.cancelled()) {
        file.cancelWriting();
        return {};
    }
    if (!file.commit())
        throw fileError(file.errorString());
    return {true, cursor.rows(), 0};
}

// The workbook is written under a temporary name beside the target (the library writes a file by name), then
// flushed and renamed over the target. The temporary file goes away on every other path.
ExportResult exportWorkbook(ExportCursor &cursor, const QString &target, const ExportOptions &options) {
    const QFileInfo info(target);
    QTemporaryFile temporary(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                             QStringLiteral(".XXXXXX"));
    if (!temporary.open())
        throw fileError(temporary.errorString());
    temporary.close();
    const int sheets = writeXlsx(cursor, temporary.fileName(), options.sheetRows);
    if (cursor.cancelled())
        return {};
    // The permissions a new file gets (the temporary one is the owner's alone), or those of the file replaced.
    temporary.setPermissions(QFile::exists(target) ? QFile::permissions(target)
                                                   : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                         QFile::ReadOther);
    app::syncFile(temporary.fileName());
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        throw fileError(QString::fromLocal8Bit(std::strerror(errno)));
    temporary.setAutoRemove(false);  // it is the target now
    app::syncFolder(info.absolutePath());
    return {true, cursor.rows(), sheets};
}

}  // namespace

ExportFormat exportFormatFor(const QString &path) {
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0)
        return ExportFormat::Csv;
    if (suffix.compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0)
        return ExportFormat::Xlsx;
    return ExportFormat::TabText;
}

ExportResult exportQuery(const QString &databasePath, const QString &jetSql, const QString &target,
                         const ExportOptions &options) {
    // Replacing the database with its own export would lose the auction.
    const QString database = QFileInfo(databasePath).canonicalFilePath();
    if (!database.isEmpty() && QFileInfo(target).canonicalFilePath() == database)
        throw fileError(QStringLiteral("the export cannot replace the auction database it reads."));
    ExportCursor cursor(databasePath, jetSql, options.progress, options.totalRows);
    ExportResult result = options.format == ExportFormat::Xlsx ? exportWorkbook(cursor, target, options)
                                                                : exportText(cursor, target, options);
    if (result.completed)
        cursor.finish();
    return result;
}

}  // namespace tables
