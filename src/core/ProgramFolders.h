// Where the program finds its own files: the help book, the demo round files and the converter process. Every
// one is found relative to the running executable through the install layout (bin/, share/lotwise/,
// libexec/lotwise/ of the prefix, whatever their configured names), so an installed program works from any
// prefix and never reads its source tree. The build folder mirrors that layout: executables in bin/, the data
// copied into share/lotwise/, the converter beside the programs.
//
// An environment variable may name a folder instead (LOTWISE_HELP_DIR, LOTWISE_DEMO_ROUNDS, LOTWISE_MDB2SQLITE
// for the converter itself). Thread-safe.
#pragma once

#include <QString>

namespace app {

// The folder of the running executable (without a QCoreApplication too).
QString executableFolder();

// A folder of the program's data, "help" or "demo/rounds": the variable's folder when set, else
// share/lotwise/<relative> of the prefix. Empty when it does not exist.
QString programDataFolder(const QString &relative, const char *environmentVariable);

// A helper program: beside the executable (the build folder), else in libexec/lotwise of the prefix. Empty when
// neither holds an executable of that name.
QString helperProgram(const QString &name);

}  // namespace app
