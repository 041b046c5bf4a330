// Runs the converter process lotwise-mdb2sqlite under limits, so that a damaged Jet file which crashes libmdb,
// loops in it or eats memory ends the child, never the program.
#pragma once

#include <QByteArray>
#include <QString>

namespace jet {

struct ChildLimits {
    int cpuSeconds = 2;                    // RLIMIT_CPU; the kernel then ends the child
    long long addressSpace = 1LL << 30;    // RLIMIT_AS in bytes
    int wallMilliseconds = 16000;          // the parent kills the child after this long
};

// Limits for converting a Jet file of `bytes` bytes: two seconds of processor time plus one per MiB, 1 GiB of
// address space beside the mapped file, and a wall-clock allowance that leaves room for a machine busy with other
// work.
ChildLimits limitsForInput(qint64 bytes);

struct ChildOutcome {
    enum class End { Exited, Crashed, TimedOut, NotStarted };
    End end = End::NotStarted;
    int exitCode = -1;
    QByteArray standardError;
};

// The converter program: $LOTWISE_MDB2SQLITE, else lotwise-mdb2sqlite beside the executable or in the installed
// libexec folder (core/ProgramFolders.h).
QString converterProgram();

// Runs `program` with `arguments` under `limits` and waits for it (killing it when the wall-clock allowance runs
// out). Blocks the calling thread; thread-safe. No core files are written.
ChildOutcome runLimited(const QString &program, const QStringList &arguments, const ChildLimits &limits);

}  // namespace jet
