#include "app/Version.h"

namespace app {

QString programVersion() { return QStringLiteral(LOTWISE_VERSION); }

QString versionLabel() { return QStringLiteral("Version ") + programVersion(); }

}  // namespace app
