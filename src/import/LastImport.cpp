#include "import/LastImport.h"

#include "core/ModuleState.h"
#include "db/Error.h"
#include "import/RoundFileName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace importer {

namespace {

void showError(app::ModuleState &state, const db::Error &error) { state.ui().msgBox(error.text(), {}, {}); }

// Reads the first line of the file at path, without its line break, into line; the failure, if any.
std::optional<db::Error> readFirstLine(const QString &path, QString &line) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return db::Error(db::err::FileNotFound, QStringLiteral("File not found: '%1'").arg(path));
    const QByteArray bytes = file.readLine();
    if (bytes.isEmpty())
        return db::Error(62, QStringLiteral("Input past end of file: '%1'").arg(path));
    line = QString::fromUtf8(bytes);
    while (line.endsWith(u'\n') || line.endsWith(u'\r'))
        line.chop(1);
    return std::nullopt;
}

}  // namespace

void SaveLastImportPath(app::ModuleState &state, const QString &FilePath) {
    // Written whole to a new file and renamed over the old one, so a failure never leaves half a line.
    QSaveFile file(state.LastImportFile);
    if (!QFileInfo(state.LastImportFile).absoluteDir().exists()) {
        showError(state, db::Error(db::err::PathNotFound, QStringLiteral("Path not found")));
        return;
    }
    if (!file.open(QIODevice::WriteOnly)) {
        showError(state, db::Error(db::err::FileAccess, QStringLiteral("Path/File access error")));
        return;
    }
    file.write(SplitPath(FilePath, false).toUtf8() + "\r\n");
    if (!file.commit())
        showError(state, db::Error(db::err::FileAccess, QStringLiteral("Path/File access error")));
}

QString ReadLastImportPath(app::ModuleState &state) {
    QString line;
    if (const std::optional<db::Error> failure = readFirstLine(state.LastImportFile, line)) {
        showError(state, *failure);
        return {};
    }
    return line;
}

QString lastImportFolderQuietly(const app::ModuleState &state) {
    QString line;
    return readFirstLine(state.LastImportFile, line) ? QString() : line;
}

}  // namespace importer
