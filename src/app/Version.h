// The program's version, "major.minor.revision".
#pragma once

#include <QString>

namespace app {

QString programVersion();
// "Version " + major + "." + minor + "." + revision, as the splash and About windows show it.
QString versionLabel();

}  // namespace app
