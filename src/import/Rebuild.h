// Rebuilding the user-defined tables after an import, from the statements stored for them: the Table Wizard's in
// sysWizard, the Query Builder's clauses in sysQueryBuilder. Both report the errors of their rebuilding work in
// message boxes and return normally, so that the import goes on to its end.
#pragma once

namespace app {
struct ModuleState;
}

namespace importer {

// Drops each sysWizard table (a missing one is passed over) and runs its statement again. Another error shows
// "Error:" + number + " " + description and ends the rebuilding.
void RebuildWizardTables(app::ModuleState &state);

// Rebuilds every Query Builder table from its clauses, with the status texts of panel 1. An open table (3010)
// shows the "Successful Round Import!" notice naming it, another error "User's Error:..."; either ends the
// rebuilding. An error before the first row (reading sysQueryBuilder) is raised to the caller.
void RebuildQueryTables(app::ModuleState &state);

}  // namespace importer
