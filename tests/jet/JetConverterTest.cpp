// The program's side of the conversion: formats told by first bytes, paths checked before any work, results that
// appear whole or not at all, and every way the converter process can fail turned into a numbered error.
#include "core/FileFormat.h"
#include "core/JetConverter.h"
#include "jet/JetTestSupport.h"
#include "support/TestSupport.h"

#include "db/Error.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

namespace {

using jet::FileFormat;

void writeFile(const QString &path, const QByteArray &bytes, QFile::Permissions permissions = {}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    if (permissions)
        file.setPermissions(permissions);
}

// The db::Error that `call` throws; number 0 when it throws none.
db::Error errorOf(const std::function<void()> &call) {
    try {
        call();
    } catch (const db::Error &error) {
        return error;
    }
    return {0, {}};
}

QByteArray jetHeader(const char *magic, char version) {
    QByteArray head = QByteArray("\x00\x01\x00\x00", 4) + magic + QByteArray(1, '\0');
    head.resize(0x14, '\0');
    return head + QByteArray(1, version) + QByteArray(11, '\0');
}

TEST(FileFormat, IsToldByTheFirstBytesOnly) {
    const testsupport::ScratchDir scratch;
    const auto formatOf = [&](const QString &name, const QByteArray &bytes) {
        writeFile(scratch.path(name), bytes);
        return jet::detectFormat(scratch.path(name));
    };
    EXPECT_EQ(formatOf("a.mdb", jetHeader("Standard Jet DB", 0)), FileFormat::Jet3);
    EXPECT_EQ(formatOf("b.txt", jetHeader("Standard Jet DB", 1)), FileFormat::Jet4);
    EXPECT_EQ(formatOf("c.accdb", jetHeader("Standard ACE DB", 3)), FileFormat::Jet4);
    EXPECT_EQ(formatOf("d.mdb", jetHeader("Standard Jet DB", 7)), FileFormat::Unknown);
    EXPECT_EQ(formatOf("e.mdb", QByteArray("SQLite format 3", 16) + QByteArray(84, '\0')), FileFormat::Sqlite);
    EXPECT_EQ(formatOf("f.mdb", {}), FileFormat::Unknown);
    EXPECT_EQ(formatOf("g.mdb", "Round 6 results\r\n"), FileFormat::Unknown);
    EXPECT_EQ(jet::detectFormat(scratch.path("missing.mdb")), FileFormat::Missing);
    EXPECT_EQ(jet::detectFormat(scratch.path()), FileFormat::Unknown);
    ASSERT_EQ(::mkfifo(QFile::encodeName(scratch.path("fifo.mdb")).constData(), 0600), 0);
    EXPECT_EQ(jet::detectFormat(scratch.path("fifo.mdb")), FileFormat::Unknown);  // and does not block
    const QString round = jettest::extractMdb(testsupport::dataPath("auction-11/11_001.zip"), scratch.path());
    EXPECT_EQ(jet::detectFormat(round), FileFormat::Jet4);
}

TEST(JetConverter, ChecksPathsAndReplacesTheDestinationWhole) {
    const testsupport::ScratchDir scratch;
    const QString round = jettest::extractMdb(testsupport::dataPath("auction-11/11_001.zip"), scratch.path());
    const QString missing = scratch.path("missing.mdb");
    EXPECT_EQ(errorOf([&] { jet::convertToSqlite(missing, scratch.path("out.sqlite")); }).text(),
              QStringLiteral("Error:53 File not found: '%1'").arg(missing));
    EXPECT_EQ(errorOf([&] { jet::convertToSqlite(round, scratch.path("no/such/out.sqlite")); }).number(), 76);
    writeFile(scratch.path("notes.mdb"), "not a database");
    EXPECT_EQ(errorOf([&] { jet::convertToSqlite(scratch.path("notes.mdb"), scratch.path("out.sqlite")); }).text(),
              QStringLiteral("Error:3343 Unrecognized database format '%1'.").arg(scratch.path("notes.mdb")));

    const QString out = scratch.path("out.sqlite");
    writeFile(out, "an older file");
    jet::convertToSqlite(round, out);
    EXPECT_EQ(jettest::queryValue(out, R"(SELECT count(*) FROM "All Bids")").integer, 17);
    jet::convertToSqlite(out, scratch.path("copy.sqlite"));  // already SQLite: copied as it is
    EXPECT_EQ(jettest::storedTables(scratch.path("copy.sqlite")), jettest::storedTables(out));
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);  // no temporary files
}

// The converter's own protocol: one "NUMBER<TAB>DESCRIPTION" line on failure, and an output that existed before is
// refused and left alone.
TEST(ConverterProcess, ReportsOneNumberedLineAndNeverTouchesAnExistingOutput) {
    const testsupport::ScratchDir scratch;
    const QString round = jettest::extractMdb(testsupport::dataPath("auction-11/11_001.zip"), scratch.path());
    writeFile(scratch.path("notes.mdb"), "not a database");
    writeFile(scratch.path("existing.sqlite"), "keep me");
    const auto run = [&](const QString &in, const QString &out) {
        QProcess process;
        process.start(testsupport::binPath("lotwise-mdb2sqlite"), {in, out});
        EXPECT_TRUE(process.waitForFinished(30000));
        return std::make_pair(process.exitCode(), QString::fromUtf8(process.readAllStandardError()));
    };
    EXPECT_EQ(run(round, scratch.path("existing.sqlite")),
              std::make_pair(1, QStringLiteral("75\tPath/File access error: '%1' already exists.\n")
                                    .arg(scratch.path("existing.sqlite"))));
    QFile existing(scratch.path("existing.sqlite"));
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "keep me");
    EXPECT_EQ(run(scratch.path("notes.mdb"), scratch.path("a.sqlite")),
              std::make_pair(1, QStringLiteral("3343\tUnrecognized database format '%1'.\n").arg(scratch.path("notes.mdb"))));
    EXPECT_EQ(run(scratch.path("missing.mdb"), scratch.path("a.sqlite")).second.section('\t', 0, 0), "53");
    EXPECT_FALSE(QFileInfo::exists(scratch.path("a.sqlite")));
    EXPECT_EQ(run(round, scratch.path("a.sqlite")), std::make_pair(0, QString()));
}

// Stands in for the converter process with a shell script for as long as it lives.
class FakeConverter {
public:
    FakeConverter(const testsupport::ScratchDir &scratch, const QByteArray &script)
        : path_(scratch.path("fake-converter")) {
        writeFile(path_, "#!/bin/sh\n" + script + "\n", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("LOTWISE_MDB2SQLITE", QFile::encodeName(path_));
    }
    ~FakeConverter() { qunsetenv("LOTWISE_MDB2SQLITE"); }
    FakeConverter(const FakeConverter &) = delete;
    FakeConverter &operator=(const FakeConverter &) = delete;

private:
    QString path_;
};

TEST(JetConverter, TurnsEveryFailureOfTheProcessIntoANumberedErrorWithoutLeftovers) {
    const testsupport::ScratchDir scratch;
    const QString round = jettest::extractMdb(testsupport::dataPath("auction-11/11_001.zip"), scratch.path());
    ASSERT_TRUE(QDir(scratch.path()).mkdir("out"));
    const QString out = scratch.path("out/round.sqlite");
    const struct {
        const char *what;
        QByteArray script;
        int number;
    } cases[] = {
        {"crash after writing part of the output", R"(printf partial > "$2"; kill -SEGV $$)", 3343},
        {"endless loop, ended by the processor time limit", "while :; do :; done", 3343},
        {"report that is no report", R"(printf 'Segmentation fault\n' >&2; exit 1)", 3343},
        {"success without output", "exit 0", 3343},
        {"numbered error", R"(printf '3043\tDisk or network error.\n' >&2; exit 1)", 3043},
    };
    for (const auto &failure : cases) {
        SCOPED_TRACE(failure.what);
        const FakeConverter fake(scratch, failure.script);
        const db::Error error = errorOf([&] { jet::convertToSqlite(round, out); });
        EXPECT_EQ(error.number(), failure.number);
        if (failure.number == 3343) {
            EXPECT_EQ(error.description(), QStringLiteral("Unrecognized database format '%1'.").arg(round));
        }
        EXPECT_TRUE(QDir(scratch.path("out")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }
    qputenv("LOTWISE_MDB2SQLITE", QFile::encodeName(scratch.path("no-such-program")));
    EXPECT_EQ(errorOf([&] { jet::convertToSqlite(round, out); }).number(), 3000);
    qunsetenv("LOTWISE_MDB2SQLITE");
}

}  // namespace
