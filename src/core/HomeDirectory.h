// The home directory: where auction databases are created, round databases extracted and lastimp.inf kept.
#pragma once

#include <QString>

namespace app {

// commandLineHome (from --home) when given, else $LOTWISE_HOME, else ~/.local/share/Lotwise. The folder and its
// parents are created when missing; failure raises db::Error 76.
QString resolveHomeDirectory(const QString &commandLineHome = {});

// Creates a folder and its parents when missing; raises db::Error 76 when that fails.
void ensureDirectory(const QString &path);

}  // namespace app
