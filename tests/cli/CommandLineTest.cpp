// A malformed command line ends with exit status 2 and the usage text on standard error, before any file is
// touched.
#include "cli/CliProcess.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace clitest;

namespace {

TEST(CommandLine, MalformedCommandLinesPrintTheUsageAndTouchNothing) {
    const testsupport::ScratchDir scratch;
    const QString db = scratch.path(QStringLiteral("auction.sqlite"));
    writeFile(db, {});
    const QString zip = testsupport::dataPath(QStringLiteral("auction-11/11_006.zip"));
    const QString out = scratch.path(QStringLiteral("out.sqlite"));
    const QString home = scratch.path(QStringLiteral("home"));
    const std::vector<QStringList> commandLines = {
        {},
        {QStringLiteral("--home"), home},
        {QStringLiteral("frobnicate")},
        {QStringLiteral("--db"), db, QStringLiteral("drop-everything")},
        {QStringLiteral("sql"), QStringLiteral("CREATE TABLE [T] ([Round] Number)")},
        {QStringLiteral("sql"), QStringLiteral("--db"), db},
        {QStringLiteral("sql"), QStringLiteral("--db"), db, QStringLiteral("SELECT 1"), QStringLiteral("SELECT 2")},
        {QStringLiteral("tables")},
        {QStringLiteral("rounds")},
        {QStringLiteral("tables"), QStringLiteral("--db")},
        {QStringLiteral("tables"), QStringLiteral("--db"), db, QStringLiteral("extra")},
        {QStringLiteral("convert"), zip, out, QStringLiteral("--home")},
        {QStringLiteral("convert"), zip},
        {QStringLiteral("convert"), zip, out, QStringLiteral("extra")},
        {QStringLiteral("--force"), QStringLiteral("convert"), zip, out},
    };
    for (const QStringList &arguments : commandLines) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        EXPECT_TRUE(failedWithUsage(runCli(arguments, home)));
    }
    EXPECT_EQ(filesIn(scratch.path()), QStringList{QStringLiteral("auction.sqlite")});
    EXPECT_TRUE(fileBytes(db).isEmpty());
}

}  // namespace
