#include "core/JetConverter.h"

#include "common/ConvertError.h"
#include "core/ConverterProcess.h"
#include "core/FileFormat.h"
#include "core/FileSync.h"
#include "db/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>


#include <cstdio>

namespace jet {

static_assert(code::Reserved == db::err::Reserved && code::FileNotFound == db::err::FileNotFound &&
              code::FileAccess == db::err::FileAccess && code::PathNotFound == db::err::PathNotFound &&
              code::DiskError == db::err::DiskError && code::UnrecognizedFormat == db::err::UnrecognizedFormat);

namespace {

// A hidden file name beside the destination, removed when this goes out of scope unless it was moved into place.
class TemporaryPath {
public:
    explicit TemporaryPath(const QFileInfo &destination) {
        const QDir folder = destination.absoluteDir();
        do {
            const QString suffix = QString::number(QRandomGenerator::global()->generate64(), 36);
            path_ = folder.filePath(QStringLiteral(".%1.%2.part").arg(destination.fileName(), suffix));
        } while (QFileInfo::exists(path_));
    }
    ~TemporaryPath() {
        if (!path_.isEmpty())
            QFile::remove(path_);
    }
    TemporaryPath(const TemporaryPath &) = delete;
    TemporaryPath &operator=(const TemporaryPath &) = delete;

    const QString &path() const { return path_; }

    // Renames the file to `destination` (replacing what is there) and syncs the folder.
    void moveTo(const QString &destination) {
        if (std::rename(QFile::encodeName(path_).constData(), QFile::encodeName(destination).constData()) != 0)
            throw db::Error(db::err::FileAccess, QStringLiteral("Path/File access error: '%1'").arg(destination));
        path_.clear();
        app::syncFolder(QFileInfo(destination).absolutePath());
    }

private:
    QString path_;
};

// The error the child reported in its one line "NUMBER<TAB>DESCRIPTION", or 3343 when there is none.
db::Error reportedError(const QByteArray &report, const QString &jetPath) {
    const QString line = QString::fromUtf8(report).section(QLatin1Char('\n'), 0, 0);
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    bool isNumber = false;
    const int number = tab > 0 ? line.left(tab).toInt(&isNumber) : 0;
    const QString description = line.mid(tab + 1).trimmed();
    if (!isNumber || number <= 0 || description.isEmpty() || number == db::err::UnrecognizedFormat)
        return db::Error::unrecognizedFormat(jetPath);
    if (number == db::err::FileNotFound)
        return db::Error::fileNotFound(jetPath);
    return {number, description};
}

void runConverter(const QString &jetPath, const QString &outPath, qint64 inputBytes) {
    const QString program = converterProgram();
    const ChildOutcome outcome = runLimited(program, {jetPath, outPath}, limitsForInput(inputBytes));
    switch (outcome.end) {
    case ChildOutcome::End::NotStarted:
        throw db::Error(db::err::Reserved,
                        QStringLiteral("The Jet converter '%1' could not be started.").arg(program));
    case ChildOutcome::End::Crashed:
    case ChildOutcome::End::TimedOut: throw db::Error::unrecognizedFormat(jetPath);
    case ChildOutcome::End::Exited: break;
    }
    if (outcome.exitCode != 0)
        throw reportedError(outcome.standardError, jetPath);
    if (!QFileInfo(outPath).isFile())
        throw db::Error::unrecognizedFormat(jetPath);  // a success that is not one
}

}  // namespace

void convertToSqlite(const QString &jetPath, const QString &sqlitePath) {
    const FileFormat format = detectFormat(jetPath);
    if (format == FileFormat::Missing)
        throw db::Error::fileNotFound(jetPath);
    const QFileInfo destination(sqlitePath);
    if (!destination.absoluteDir().exists())
        throw db::Error::pathNotFound(destination.absolutePath());
    if (!QFileInfo(jetPath).isReadable())
        throw db::Error(db::err::FileAccess, QStringLiteral("Path/File access error: '%1'").arg(jetPath));
    if (format != FileFormat::Jet3 && format != FileFormat::Jet4 && format != FileFormat::Sqlite)
        throw db::Error::unrecognizedFormat(jetPath);

    TemporaryPath temporary(destination);
    if (format == FileFormat::Sqlite) {
        if (!QFile::copy(jetPath, temporary.path()))
            throw db::Error(db::err::FileAccess, QStringLiteral("Path/File access error: '%1'").arg(sqlitePath));
        app::syncFile(temporary.path());
    } else {
        runConverter(jetPath, temporary.path(), QFileInfo(jetPath).size());
    }
    temporary.moveTo(destination.absoluteFilePath());
}

}  // namespace jet
