// Extraction writes only the named member, only inside the home directory, and refuses damaged, foreign or
// hostile archives with numbered errors, leaving no file behind.
#include "db/Error.h"
#include "import/ZipExtract.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <zip.h>

#include <gtest/gtest.h>

#include <functional>

using importer::extractMember;
using testsupport::ScratchDir;

namespace {

struct Entry {
    QString name;
    QByteArray data;
    bool symlink = false;
    zip_uint32_t level = 0;  // deflate level; 0 for libzip's default
};

// Writes a zip archive holding the entries.
void writeZip(const QString &path, const std::vector<Entry> &entries) {
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    ASSERT_NE(archive, nullptr);
    for (const Entry &e : entries) {
        zip_source_t *source = zip_source_buffer(archive, e.data.constData(), zip_uint64_t(e.data.size()), 0);
        const zip_int64_t index = zip_file_add(archive, e.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        ASSERT_GE(index, 0);
        if (e.level)
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, e.level);
        if (e.symlink)
            zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, (S_IFLNK | 0777u) << 16);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

int errorOf(const std::function<void()> &action) {
    try {
        action();
    } catch (const db::Error &e) {
        return e.number();
    }
    return 0;
}

class ZipExtract : public ::testing::Test {
protected:
    ScratchDir home;
    QString zip(const std::vector<Entry> &entries) {
        const QString path = home.path("round.zip");
        writeZip(path, entries);
        return path;
    }
    QStringList filesInHome() const { return QDir(home.path()).entryList(QDir::Files | QDir::Hidden); }
};

}  // namespace

TEST_F(ZipExtract, WritesTheNamedMemberUnderItsNameOrAnother) {
    const QString round = testsupport::dataPath("auction-11/11_005.zip");
    const QString out = extractMember(round, "11_005.mdb", home.path(), {}, home.path());
    EXPECT_EQ(out, QDir(home.path()).filePath("11_005.mdb"));
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(19).mid(4), QByteArray("Standard Jet DB"));
    file.close();
    EXPECT_EQ(extractMember(round, "11_005.MDB", home.path(), "Auction11.mdb", home.path()),
              QDir(home.path()).filePath("Auction11.mdb"));
    EXPECT_EQ(QFileInfo(home.path("Auction11.mdb")).size(), QFileInfo(out).size());
}

TEST_F(ZipExtract, RefusesNamesAndFoldersOutsideTheHome) {
    const QString path = zip({{"../evil.mdb", "x"}, {"ok.mdb", "data"}, {"link.mdb", "/etc/passwd", true}});
    EXPECT_EQ(errorOf([&] { extractMember(path, "../evil.mdb", home.path(), {}, home.path()); }), 75);
    EXPECT_EQ(errorOf([&] { extractMember(path, "ok.mdb", home.path(), "../ok.mdb", home.path()); }), 75);
    EXPECT_EQ(errorOf([&] { extractMember(path, "ok.mdb", home.path(), "/tmp/ok.mdb", home.path()); }), 75);
    ScratchDir elsewhere;
    EXPECT_EQ(errorOf([&] { extractMember(path, "ok.mdb", elsewhere.path(), {}, home.path()); }), 75);
    EXPECT_EQ(errorOf([&] { extractMember(path, "link.mdb", home.path(), {}, home.path()); }), 321);
    EXPECT_EQ(errorOf([&] { extractMember(path, "ok.mdb", home.path("missing"), {}, home.path()); }), 76);
    EXPECT_EQ(filesInHome(), QStringList({"round.zip"}));
    // A folder inside the home directory is fine.
    ASSERT_TRUE(QDir(home.path()).mkdir("sub"));
    EXPECT_EQ(errorOf([&] { extractMember(path, "ok.mdb", home.path("sub"), {}, home.path()); }), 0);
}

TEST_F(ZipExtract, RefusesMissingForeignOversizedAndDamagedArchives) {
    QByteArray payload;  // varied bytes, so that any damage to the compressed data changes what comes out
    for (int i = 0; i < 50000; ++i)
        payload += QByteArray::number(i * 7919 % 10007);
    const QString path = zip({{"11_001.mdb", payload}});
    EXPECT_EQ(errorOf([&] { extractMember(home.path("nothing.zip"), "11_001.mdb", home.path(), {}, home.path()); }), 53);
    EXPECT_EQ(errorOf([&] { extractMember(path, "11_002.mdb", home.path(), {}, home.path()); }), 53);
    EXPECT_EQ(errorOf([&] { extractMember(path, "11_001.mdb", home.path(), {}, home.path(), 1000); }), 321);

    QFile original(path);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    original.close();
    auto variant = [&](const QString &name, const QByteArray &content) {
        QFile f(home.path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return f.fileName();
    };
    QByteArray flipped = bytes;
    flipped[bytes.size() / 3] = char(flipped[bytes.size() / 3] ^ 0x40);  // inside the compressed data: the CRC no longer matches
    const QStringList bad = {variant("text.zip", "just some text, not an archive"),
                             variant("flipped.zip", flipped), variant("truncated.zip", bytes.left(bytes.size() / 2)),
                             variant("empty.zip", {})};
    for (const QString &file : bad)
        EXPECT_EQ(errorOf([&] { extractMember(file, "11_001.mdb", home.path(), "out.mdb", home.path()); }), 321) << file;
    EXPECT_FALSE(filesInHome().contains("out.mdb"));
    for (const QString &f : filesInHome())
        EXPECT_FALSE(f.contains("out.mdb")) << "left behind: " << f.toStdString();
}

// A member far more compressed than any round database: refused from its recorded sizes, before anything is
// written, though below the absolute bound.
TEST_F(ZipExtract, RefusesAMemberThatExpandsLikeABomb) {
    const QByteArray zeros(int(importer::kFreeMemberBytes + (1 << 20)), '\0');
    const QString path = zip({{"11_001.mdb", zeros, false, 1}});
    EXPECT_LT(QFileInfo(path).size(), importer::kFreeMemberBytes / importer::kMaxExpansion);
    EXPECT_EQ(errorOf([&] { extractMember(path, "11_001.mdb", home.path(), "out.mdb", home.path()); }), 321);
    EXPECT_EQ(filesInHome(), QStringList({"round.zip"}));
}
