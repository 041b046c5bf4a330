#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <cstdlib>
#include <cstring>

namespace testsupport {

QString dataPath(const QString &relative) { return QDir(QStringLiteral(LOTWISE_TEST_DATA)).filePath(relative); }

QString jetSamplePath(const QString &file) {
    const QDir dir(QStringLiteral(LOTWISE_JET_SAMPLES));
    return dir.exists() ? dir.filePath(file) : QString();
}

bool jetSamplesRequired() {
    const char *ci = std::getenv("CI");
    return ci && std::strcmp(ci, "true") == 0;
}

QString binPath(const QString &program) { return QDir(QStringLiteral(LOTWISE_BIN_DIR)).filePath(program); }

ScratchDir::ScratchDir() : dir_(QDir::temp().filePath(QStringLiteral("lotwise-test-XXXXXX"))) {}

QString ScratchDir::path(const QString &name) const { return name.isEmpty() ? dir_.path() : dir_.filePath(name); }

}  // namespace testsupport
