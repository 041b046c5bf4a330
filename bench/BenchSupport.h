// Helpers shared by the benchmarks.
#pragma once

#include "db/Error.h"
#include "import/RoundFileName.h"
#include "import/ZipExtract.h"

#include <QDir>
#include <QFileInfo>

namespace bench {

// Writes the round database of a round zip into `folder`; its path, or nothing when the zip cannot be read.
inline QString extractMember(const QString &zipPath, const QDir &folder) {
    try {
        const QString member = importer::memberNameOf(QFileInfo(zipPath).fileName());
        return importer::extractMember(zipPath, member, folder.path(), {}, folder.path());
    } catch (const db::Error &) {
        return {};
    }
}

}  // namespace bench
