// lotwise-cli create and import: the question whether to delete the round results file takes --yes (delete),
// --no or no option (keep); the created or imported auction database is printed either way.
#include "cli/CliProcess.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace clitest;

namespace {

// A copy of a round file of auction 11 in folder; the test data stays as it is.
QString roundCopy(const testsupport::ScratchDir &folder, int round) {
    const QString name = QStringLiteral("11_00%1.zip").arg(round);
    EXPECT_TRUE(QFile::copy(testsupport::dataPath("auction-11/" + name), folder.path(name)));
    return folder.path(name);
}

}  // namespace

TEST(ImportCommands, CreateAndImportDeleteTheRoundFileOnlyOnYes) {
    struct Case {
        QString option;  // "" = the default answer
        bool deletes;
    };
    for (const Case &c : {Case{"", false}, Case{"--no", false}, Case{"--yes", true}}) {
        SCOPED_TRACE(c.option.toStdString());
        const testsupport::ScratchDir home, rounds;
        const QString first = roundCopy(rounds, 1), second = roundCopy(rounds, 2);
        const QStringList answer = c.option.isEmpty() ? QStringList() : QStringList{c.option};
        const QString auction = QDir(home.path()).filePath("Auction11.mdb");

        const CliRun created = runCli(answer + QStringList{"create", first}, home.path());
        ASSERT_EQ(created.exitCode, 0) << created.err.toStdString();
        EXPECT_EQ(lines(created.out), QStringList{auction});
        EXPECT_TRUE(created.err.contains("Auction 11 has been successfully created.")) << created.err.toStdString();
        EXPECT_EQ(QFileInfo::exists(first), !c.deletes);

        const CliRun imported = runCli(answer + QStringList{"import", "--db", auction, second}, home.path());
        ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
        EXPECT_EQ(lines(imported.out), QStringList{auction});
        EXPECT_TRUE(imported.err.contains("Round 2 has been successfully imported.")) << imported.err.toStdString();
        EXPECT_EQ(QFileInfo::exists(second), !c.deletes);

        const CliRun listed = runCli({"rounds", "--db", auction}, home.path());
        EXPECT_EQ(lines(listed.out).mid(1), QStringList({"2", "1"})) << listed.out.toStdString();
    }
}
