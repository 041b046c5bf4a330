// A full disk under the auction database: the import says so (Jet's "Not enough space on disk.") and leaves the
// file exactly as it was. The disk is a small tmpfs mounted in a private mount namespace, which needs root (as CI
// has); elsewhere the test is skipped.
#include "cli/CliProcess.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"

#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

constexpr int kCannotMount = 77;

// Copies the database onto a fresh tmpfs with `freeKb` left, imports `zip` into it with lotwise-cli, and copies
// the file the import left to `out`. Returns the script's output (the CLI's messages, then "status=N").
void importOnFullDisk(const QString &db, const QString &zip, int freeKb, const QString &out,
                                      const QString &home, QString &output, int &exitCode) {
    const qint64 sizeKb = QFileInfo(db).size() / 1024 + 64 + freeKb;
    const QString script = QStringLiteral(
        "mkdir -p \"$DISK\" && mount -t tmpfs -o size=%1k tmpfs \"$DISK\" 2>/dev/null || exit %2\n"
        "cp \"$DB\" \"$DISK/Auction11.mdb\"\n"
        "dd if=/dev/zero of=\"$DISK/filler\" bs=1k count=$(( $(df -k --output=avail \"$DISK\" | tail -1) - %3 )) "
        "2>/dev/null\n"
        "\"$CLI\" --home \"$LWHOME\" import --db \"$DISK/Auction11.mdb\" \"$ZIP\" 2>&1\n"
        "echo \"status=$?\"\n"
        "rm -f \"$DISK/filler\"\n"
        "cp \"$DISK/Auction11.mdb\" \"$OUT\"\n"
        "ls -a \"$DISK\"\n")
                               .arg(sizeKb)
                               .arg(kCannotMount)
                               .arg(freeKb);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISK"), out + QStringLiteral(".disk"));
    environment.insert(QStringLiteral("DB"), db);
    environment.insert(QStringLiteral("ZIP"), zip);
    environment.insert(QStringLiteral("OUT"), out);
    environment.insert(QStringLiteral("LWHOME"), home);
    environment.insert(QStringLiteral("CLI"), testsupport::binPath(QStringLiteral("lotwise-cli")));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("unshare"), {QStringLiteral("-m"), QStringLiteral("bash"), QStringLiteral("-c"), script});
    process.waitForFinished(60000);
    output = QString::fromUtf8(process.readAllStandardOutput()) + QString::fromUtf8(process.readAllStandardError());
    exitCode = process.exitCode();
}

}  // namespace

TEST(FullDisk, ImportSaysTheDiskIsFullAndChangesNothing) {
    const testsupport::ScratchDir dir;
    const QString db = testsupport::buildAuction(dir, QStringLiteral("auction-11"), 3);
    const QByteArray original = clitest::fileBytes(db);
    const QString zip = testsupport::dataPath(QStringLiteral("auction-11/11_004.zip"));
    // No room at all (the log cannot even be made), then room for the log's index but not for the round's rows.
    for (const int freeKb : {0, 80}) {
        SCOPED_TRACE(freeKb);
        const QString out = dir.path(QStringLiteral("after-%1.mdb").arg(freeKb));
        QString output;
        int exitCode = 0;
        importOnFullDisk(db, zip, freeKb, out, dir.path(), output, exitCode);
        if (exitCode == kCannotMount)
            GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): " << output;
        EXPECT_TRUE(output.contains(QStringLiteral("Lotwise: Error:3026 Not enough space on disk."))) << output;
        EXPECT_FALSE(output.contains(QStringLiteral("3343"))) << output;
        EXPECT_TRUE(output.contains(QStringLiteral("status=1"))) << output;
        EXPECT_TRUE(clitest::fileBytes(out) == original) << "the auction database was changed";
    }
}
