// The Jet functions, the Jet LIKE and the case-insensitive NOCASE collation, registered on a connection.
#pragma once

struct sqlite3;

namespace db {

void registerSqlFunctions(sqlite3 *connection);

}  // namespace db
