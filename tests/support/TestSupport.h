// Helpers shared by the test programs: fixture paths and scratch folders.
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <ostream>

// GoogleTest prints Qt strings in its messages through these.
inline std::ostream &operator<<(std::ostream &os, const QString &s) { return os << s.toStdString(); }
inline std::ostream &operator<<(std::ostream &os, const QStringList &list) {
    return os << '[' << list.join(QStringLiteral(" | ")).toStdString() << ']';
}
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList &list, std::ostream *os) { *os << list; }

namespace testsupport {

// The project's copies of round results files and the legacy database (tests/data).
QString dataPath(const QString &relative);

// The shared Access-written Jet samples, read in place. Empty when the folder is missing: the caller skips,
// except under CI=true, where a missing folder fails the test.
QString jetSamplePath(const QString &file);
bool jetSamplesRequired();

// A folder of the build's executables (lotwise-cli, lotwise-mdb2sqlite).
QString binPath(const QString &program);

// A scratch folder removed when the test ends.
class ScratchDir {
public:
    ScratchDir();
    QString path(const QString &name = {}) const;

private:
    QTemporaryDir dir_;
};

}  // namespace testsupport
