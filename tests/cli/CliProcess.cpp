#include "cli/CliProcess.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <map>

namespace clitest {

CliRun runCli(const QStringList &arguments, const QString &envHome, int timeoutMs, const QString &outputFile) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LOTWISE_HOME"), envHome);
    process.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(testsupport::binPath(QStringLiteral("lotwise-cli")), arguments);
    CliRun run;
    if (!process.waitForStarted(10000)) {
        run.crashed = true;
        run.err = process.errorString();
        return run;
    }
    if (!process.waitForFinished(timeoutMs)) {
        run.timedOut = true;
        process.kill();
        process.waitForFinished(5000);
    }
    run.crashed = !run.timedOut && process.exitStatus() == QProcess::CrashExit;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

namespace {

::testing::AssertionResult endedNormally(const CliRun &run) {
    if (run.timedOut)
        return ::testing::AssertionFailure() << "lotwise-cli did not finish in time";
    if (run.crashed)
        return ::testing::AssertionFailure() << "lotwise-cli crashed; stderr: " << run.err;
    return ::testing::AssertionSuccess();
}

}  // namespace

::testing::AssertionResult failedWithOneMessage(const CliRun &run, int number) {
    if (auto normal = endedNormally(run); !normal)
        return normal;
    static const QRegularExpression message(QStringLiteral("^Lotwise: Error:(\\d+) \\S[^\\n]*\\n$"));
    const QRegularExpressionMatch match = message.match(run.err);
    if (run.exitCode != 1 || !run.out.isEmpty() || !match.hasMatch() ||
        (number != 0 && match.captured(1).toInt() != number))
        return ::testing::AssertionFailure() << "exit " << run.exitCode << ", stdout [" << run.out << "], stderr ["
                                             << run.err << "]; wanted exit 1 and one message Error:"
                                             << (number ? QString::number(number) : QStringLiteral("N"));
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult failedWithUsage(const CliRun &run) {
    if (auto normal = endedNormally(run); !normal)
        return normal;
    if (run.exitCode != 2 || !run.out.isEmpty() || !run.err.startsWith(QLatin1String("lotwise-cli: ")) ||
        !run.err.contains(QLatin1String("\nusage: lotwise-cli ")))
        return ::testing::AssertionFailure() << "exit " << run.exitCode << ", stdout [" << run.out << "], stderr ["
                                             << run.err << "]; wanted exit 2 and the usage text";
    return ::testing::AssertionSuccess();
}

QStringList lines(const QString &text) {
    QStringList out = text.split(u'\n');
    if (!out.isEmpty() && out.constLast().isEmpty())
        out.removeLast();
    return out;
}

QString auction11RoundTables(int round) {
    // Rows per table in the round files of auction 11 (tests/data/auction-11), from the fixture facts.
    static const std::map<int, std::vector<int>> counts = {
        {6, {8, 8, 0, 0, 9, 24, 9, 0, 1, 0, 1}},
        {12, {2, 7, 0, 1, 9, 24, 9, 1, 1, 3, 1}},
    };
    static const QStringList tables = {
        QStringLiteral("All Bids"),           QStringLiteral("Bidders"),
        QStringLiteral("Bidders Raising Own High Bid"), QStringLiteral("Bidders Who Reduced"),
        QStringLiteral("Increment Statistics"), QStringLiteral("Markets"),
        QStringLiteral("Miscellaneous Statistics"), QStringLiteral("Reduction Statistics"),
        QStringLiteral("Round Statistics"),   QStringLiteral("Waiver Statistics"),
        QStringLiteral("Withdrawal Statistics")};
    QString text = QStringLiteral("Table\tRows\n");
    const std::vector<int> &rows = counts.at(round);
    for (qsizetype i = 0; i < tables.size(); ++i)
        text += tables[i] + u'\t' + QString::number(rows[std::size_t(i)]) + u'\n';
    return text;
}

QStringList filesIn(const QString &folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path;
    ASSERT_EQ(file.write(bytes), bytes.size()) << path;
}

QString successfulOutput(const QStringList &arguments, const QString &envHome) {
    const CliRun run = runCli(arguments, envHome);
    EXPECT_EQ(run.exitCode, 0) << arguments.join(u' ').toStdString() << ": " << run.err.toStdString();
    EXPECT_EQ(run.err, QString());
    return run.out;
}

}  // namespace clitest
