#include "core/ConverterProcess.h"

#include "core/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include <csignal>
#include <sys/prctl.h>
#include <sys/resource.h>

#include <algorithm>

namespace jet {

namespace {

constexpr const char *kProgramName = "lotwise-mdb2sqlite";
constexpr qint64 kMiB = 1024 * 1024;
constexpr int kKillGraceMilliseconds = 5000;

// Runs in the child between fork and exec: only async-signal-safe calls.
void applyLimits(const ChildLimits &limits) {
    const auto cpu = static_cast<rlim_t>(limits.cpuSeconds);
    const rlimit cpuLimit{cpu, cpu + 1};  // SIGXCPU at the soft limit, SIGKILL one second later
    const rlimit memoryLimit{static_cast<rlim_t>(limits.addressSpace), static_cast<rlim_t>(limits.addressSpace)};
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CPU, &cpuLimit);
    setrlimit(RLIMIT_AS, &memoryLimit);
    setrlimit(RLIMIT_CORE, &noCore);
    // The converter ends with the program (a killed program must not leave it writing a temporary file on).
    prctl(PR_SET_PDEATHSIG, SIGKILL);
}

}  // namespace

ChildLimits limitsForInput(qint64 bytes) {
    ChildLimits limits;
    const qint64 size = std::max<qint64>(bytes, 0);
    limits.cpuSeconds = 2 + static_cast<int>(size / kMiB);
    limits.addressSpace += size;  // the converter maps the whole file
    limits.wallMilliseconds = 10000 + 3000 * limits.cpuSeconds;
    return limits;
}

QString converterProgram() {
    const QByteArray configured = qgetenv("LOTWISE_MDB2SQLITE");
    if (!configured.isEmpty())
        return QString::fromLocal8Bit(configured);
    const QString found = app::helperProgram(QLatin1String(kProgramName));
    return found.isEmpty() ? QLatin1String(kProgramName) : found;
}

ChildOutcome runLimited(const QString &program, const QStringList &arguments, const ChildLimits &limits) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setChildProcessModifier([limits] { applyLimits(limits); });
    ChildOutcome outcome;
    process.start();
    if (!process.waitForStarted(limits.wallMilliseconds))
        return outcome;
    if (!process.waitForFinished(limits.wallMilliseconds)) {
        process.kill();
        process.waitForFinished(kKillGraceMilliseconds);
        outcome.end = ChildOutcome::End::TimedOut;
        return outcome;
    }
    outcome.standardError = process.readAllStandardError();
    outcome.exitCode = process.exitCode();
    outcome.end = process.exitStatus() == QProcess::NormalExit ? ChildOutcome::End::Exited
                                                                : ChildOutcome::End::Crashed;
    return outcome;
}

}  // namespace jet
