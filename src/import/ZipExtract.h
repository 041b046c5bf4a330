// Extracting the round database from a round results file (a zip archive), with libzip.
//
// Only the named member is written, only into a folder inside the home directory, under a plain file name (no
// folders, no "..", no absolute path), never through a link, never beyond a size bound; the archive's own
// checks (consistency of its directories, the member's CRC) must pass. The file appears whole or not at all.
// Failures raise db::Error: 53 missing archive or member, 76 missing folder, 75 a name or folder refused,
// 321 not a zip archive, damaged, encrypted, a link or too large.
#pragma once

#include <QString>

namespace importer {

inline constexpr qint64 kMaxMemberBytes = qint64(2) << 30;  // 2 GiB: far beyond any round database

// Extracts `member` of the archive at zipPath into destDir as asName (the member's own name when empty) and
// returns the written path. An existing file of that name is replaced. destDir must lie inside homeDir.
QString extractMember(const QString &zipPath, const QString &member, const QString &destDir, const QString &asName,
                      const QString &homeDir, qint64 maxBytes = kMaxMemberBytes);

}  // namespace importer
