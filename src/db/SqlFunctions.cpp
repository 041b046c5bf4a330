// Placeholder until the function library lands.
#include "db/SqlFunctions.h"

namespace db {

void registerSqlFunctions(sqlite3 *) {}

}  // namespace db
