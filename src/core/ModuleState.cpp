#include "core/ModuleState.h"

#include <QDir>

namespace app {

ModuleState::ModuleState(const QString &homeDir_, Prompter &prompter)
    : LastImportFile(QDir(homeDir_).filePath(QStringLiteral("lastimp.inf"))), homeDir(homeDir_), prompter_(&prompter) {}

ModuleState makeModuleState(const QString &homeDir, Prompter &prompter) { return ModuleState(homeDir, prompter); }

}  // namespace app
