#include "import/LastImport.h"

#include "core/ModuleState.h"
#include "db/Error.h"
#include "import/RoundFileName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace importer {

namespace {

void showError(app::ModuleState &state, const db::Error &error) { state.ui().msgBox(error.text(), {}, {}); }

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
    QFile file(state.LastImportFile);
    if (!file.open(QIODevice::ReadOnly)) {
        showError(state, db::Error(db::err::FileNotFound, QStringLiteral("File not found")));
        return {};
    }
    const QByteArray line = file.readLine();
    if (line.isEmpty()) {
        showError(state, db::Error(62, QStringLiteral("Input past end of file")));
        return {};
    }
    QString text = QString::fromUtf8(line);
    while (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    return text;
}

}  // namespace importer
