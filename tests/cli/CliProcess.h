// Helpers of the lotwise-cli tests: the built program run as a child process, its outcome, and the round facts
// the tests compare with.
#pragma once

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace clitest {

struct CliRun {
    int exitCode = -1;
    bool crashed = false;   // ended by a signal
    bool timedOut = false;  // killed by the test after the time limit
    QString out;
    QString err;
};

// Runs lotwise-cli with `arguments` and LOTWISE_HOME set to `envHome`, waiting at most timeoutMs. Standard output
// goes to `outputFile` instead of CliRun::out when one is given.
CliRun runCli(const QStringList &arguments, const QString &envHome, int timeoutMs = 40000,
              const QString &outputFile = {});

// Standard output of a run that must succeed: exit status 0 and nothing on standard error, else a test failure.
QString successfulOutput(const QStringList &arguments, const QString &envHome);

// The run ended normally with exit status 1, printed nothing on standard output and exactly one line
// "Lotwise: Error:NUMBER description" on standard error (with `number` unless it is 0).
::testing::AssertionResult failedWithOneMessage(const CliRun &run, int number = 0);

// The run ended normally with exit status 2 and a usage text on standard error, nothing on standard output.
::testing::AssertionResult failedWithUsage(const CliRun &run);

// The rows of output text, without the final line break.
QStringList lines(const QString &text);

// "Table\tRows" then one line per table: what `tables --db` prints for a converted round file of auction 11.
QString auction11RoundTables(int round);

// The names of the files in a folder, hidden ones included.
QStringList filesIn(const QString &folder);

// A file's bytes (empty when it cannot be read).
QByteArray fileBytes(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);

}  // namespace clitest
