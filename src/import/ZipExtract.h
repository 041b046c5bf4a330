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

// The size bound of a member. The round database of the largest auctions (a few hundred thousand rows over all
// rounds, far fewer in one round) is tens of MB at most, so 512 MiB leaves ample room while a zip of a few MB
// can no longer fill the disk with gigabytes before it is refused (deflate expands up to about 1000 times).
inline constexpr qint64 kMaxMemberBytes = qint64(512) << 20;
// Above kFreeMemberBytes a member may be at most kMaxExpansion times its compressed size: round databases
// compress 10 to 30 times, while a bomb made to reach the bound from a small archive expands near 1000 times.
inline constexpr qint64 kFreeMemberBytes = qint64(64) << 20;
inline constexpr qint64 kMaxExpansion = 200;

// Extracts `member` of the archive at zipPath into destDir as asName (the member's own name when empty) and
// returns the written path. An existing file of that name is replaced. destDir must lie inside homeDir. A member
// larger than maxBytes, or larger than kFreeMemberBytes and more than kMaxExpansion times its compressed size, is
// refused before anything is written (its recorded size is checked, and reading stops past it).
QString extractMember(const QString &zipPath, const QString &member, const QString &destDir, const QString &asName,
                      const QString &homeDir, qint64 maxBytes = kMaxMemberBytes);

}  // namespace importer
