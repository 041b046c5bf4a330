#include "cli/ConvertCommand.h"

#include "core/HomeDirectory.h"
#include "db/Error.h"
#include "import/RoundFileName.h"
#include "import/ZipExtract.h"
#include "core/JetConverter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace cli {

namespace {

bool isZipArchive(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArray("PK\x03\x04", 4);
}

}  // namespace

int convertCommand(const Options &options, Streams io) {
    if (options.arguments.size() != 2) {
        io.err << "lotwise-cli: convert needs FILE and OUT\n" << usage();
        return 2;
    }
    const QString input = options.arguments[0];
    const QString output = options.arguments[1];
    if (QFileInfo::exists(output))
        throw db::Error(58, QStringLiteral("File already exists: '%1'").arg(output));
    if (!isZipArchive(input)) {
        jet::convertToSqlite(input, output);
        return 0;
    }
    // A round results file: its round database is extracted into a scratch folder of the home directory.
    const QString home = app::resolveHomeDirectory(options.home);
    QTemporaryDir scratch(QDir(home).filePath(QStringLiteral("convert-XXXXXX")));
    if (!scratch.isValid())
        throw db::Error(db::err::FileAccess, QStringLiteral("Path/File access error: '%1'").arg(home));
    const QString member = importer::memberNameOf(importer::SplitPath(QFileInfo(input).absoluteFilePath(), true));
    const QString extracted = importer::extractMember(input, member, scratch.path(), {}, home);
    jet::convertToSqlite(extracted, output);
    return 0;
}

}  // namespace cli
