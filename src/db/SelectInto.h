// SELECT ... INTO [T]: creates T with the query's columns and the Jet types of their sources, then fills it.
// Internal to the engine; runs in a savepoint, so a failure leaves no table behind.
#pragma once

#include "db/JetTranslator.h"
#include "db/Sqlite.h"

namespace db {

void selectInto(sqlite3 *db, const jet::Translation &t, const ErrorContext &context);

}  // namespace db
