#include "import/ZipExtract.h"

#include "db/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>
#include <zip.h>

#include <array>
#include <memory>

namespace importer {

namespace {

using db::Error;

struct ArchiveCloser {
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
struct MemberCloser {
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
using Member = std::unique_ptr<zip_file_t, MemberCloser>;

Error damaged(const QString &zipPath, const char *detail) {
    return Error(db::err::InvalidFileFormat, QStringLiteral("The zip archive '%1' is damaged (%2).")
                                                 .arg(zipPath, QString::fromUtf8(detail)));
}

Error refused(const QString &what) { return Error(db::err::FileAccess, QStringLiteral("Path/File access error: %1").arg(what)); }

bool isPlainFileName(const QString &name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(u'/') &&
           !name.contains(u'\\') && !name.contains(QChar(0));
}

Archive openArchive(const QString &zipPath) {
    if (!QFileInfo(zipPath).isFile())
        throw Error::fileNotFound(zipPath);
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (archive)
        return Archive(archive);
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString detail = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    if (code == ZIP_ER_NOZIP)
        throw Error(db::err::InvalidFileFormat, QStringLiteral("The file '%1' is not a zip archive.").arg(zipPath));
    if (code == ZIP_ER_OPEN || code == ZIP_ER_READ)
        throw refused(QStringLiteral("'%1' cannot be read (%2).").arg(zipPath, detail));
    throw damaged(zipPath, detail.toUtf8().constData());
}

// The member's index: its exact name first, then the same name in another case, as Windows archives may have it.
zip_uint64_t locate(zip_t *archive, const QString &zipPath, const QString &member) {
    const QByteArray name = member.toUtf8();
    zip_int64_t index = zip_name_locate(archive, name.constData(), ZIP_FL_ENC_GUESS);
    if (index < 0)
        index = zip_name_locate(archive, name.constData(), ZIP_FL_ENC_GUESS | ZIP_FL_NOCASE);
    if (index < 0)
        throw Error(db::err::FileNotFound,
                    QStringLiteral("File not found: the zip archive '%1' does not hold '%2'.").arg(zipPath, member));
    return zip_uint64_t(index);
}

// Refuses links, folders, encrypted and oversized members; returns the member's size.
zip_uint64_t checkedSize(zip_t *archive, zip_uint64_t index, const QString &zipPath, const QString &member,
                         qint64 maxBytes) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        throw damaged(zipPath, zip_strerror(archive));
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) == 0 && system == ZIP_OPSYS_UNIX &&
        ((attributes >> 16) & S_IFMT) == S_IFLNK)
        throw Error(db::err::InvalidFileFormat, QStringLiteral("'%1' in '%2' is a link, not a file.").arg(member, zipPath));
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        throw Error(db::err::InvalidFileFormat, QStringLiteral("'%1' in '%2' is encrypted.").arg(member, zipPath));
    const bool bomb = (stat.valid & ZIP_STAT_COMP_SIZE) && stat.size > zip_uint64_t(kFreeMemberBytes) &&
                      stat.size / zip_uint64_t(kMaxExpansion) > stat.comp_size;
    if (stat.size > zip_uint64_t(maxBytes) || bomb)
        throw Error(db::err::InvalidFileFormat,
                    QStringLiteral("'%1' in '%2' is too large for a round database (%3 bytes from %4 compressed).")
                        .arg(member, zipPath, QString::number(stat.size), QString::number(stat.comp_size)));
    return stat.size;
}

QString checkedDestination(const QString &destDir, const QString &fileName, const QString &homeDir) {
    if (!isPlainFileName(fileName))
        throw refused(QStringLiteral("'%1' is not a plain file name.").arg(fileName));
    const QFileInfo dir(destDir);
    if (!dir.isDir())
        throw Error::pathNotFound(destDir);
    const QString home = QFileInfo(homeDir).canonicalFilePath();
    const QString target = dir.canonicalFilePath();
    if (home.isEmpty() || (target != home && !target.startsWith(home + u'/')))
        throw refused(QStringLiteral("'%1' is outside the home directory '%2'.").arg(destDir, homeDir));
    return QDir(target).filePath(fileName);
}

void copyMember(zip_t *archive, zip_uint64_t index, zip_uint64_t size, const QString &zipPath, const QString &outPath) {
    Member file(zip_fopen_index(archive, index, 0));
    if (!file)
        throw damaged(zipPath, zip_strerror(archive));
    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly))
        throw refused(QStringLiteral("'%1' cannot be written (%2).").arg(outPath, out.errorString()));
    std::array<char, 1 << 16> buffer{};
    zip_uint64_t total = 0;
    while (true) {
        const zip_int64_t n = zip_fread(file.get(), buffer.data(), buffer.size());
        if (n < 0)
            throw damaged(zipPath, zip_file_strerror(file.get()));
        if (n == 0)
            break;
        total += zip_uint64_t(n);
        if (total > size)
            throw damaged(zipPath, "the member is longer than its recorded size");
        if (out.write(buffer.data(), n) != n)
            throw Error(db::err::DiskError, QStringLiteral("Disk or network error: %1").arg(out.errorString()));
    }
    if (total != size)
        throw damaged(zipPath, "the member is shorter than its recorded size");
    if (!out.commit())
        throw Error(db::err::DiskError, QStringLiteral("Disk or network error: %1").arg(out.errorString()));
}

}  // namespace

QString extractMember(const QString &zipPath, const QString &member, const QString &destDir, const QString &asName,
                      const QString &homeDir, qint64 maxBytes) {
    if (!isPlainFileName(member))
        throw refused(QStringLiteral("'%1' is not a plain file name.").arg(member));
    const QString outPath = checkedDestination(destDir, asName.isEmpty() ? member : asName, homeDir);
    const Archive archive = openArchive(zipPath);
    const zip_uint64_t index = locate(archive.get(), zipPath, member);
    const zip_uint64_t size = checkedSize(archive.get(), index, zipPath, member, maxBytes);
    copyMember(archive.get(), index, size, zipPath, outPath);
    return outPath;
}

}  // namespace importer
