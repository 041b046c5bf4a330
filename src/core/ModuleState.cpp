#include "core/ModuleState.h"

#include <QDir>

namespace app {

ModuleState makeModuleState(const QString &homeDir, Prompter &prompter) {
    ModuleState state;
    state.homeDir = homeDir;
    state.LastImportFile = QDir(homeDir).filePath(QStringLiteral("lastimp.inf"));
    state.prompter = &prompter;
    return state;
}

}  // namespace app
