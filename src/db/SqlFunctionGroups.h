// The groups of SQL functions registerSqlFunctions puts on a connection; each registers its own table.
// Internal to the SQL function library. Each throws db::Error when SQLite refuses a registration.
#pragma once

struct sqlite3;

namespace db::sqlfn {

void registerStringFunctions(sqlite3 *connection);
void registerNumberFunctions(sqlite3 *connection);
void registerArithmeticFunctions(sqlite3 *connection);
void registerConversionFunctions(sqlite3 *connection);
void registerDateFunctions(sqlite3 *connection);
void registerAggregates(sqlite3 *connection);
void registerJetLike(sqlite3 *connection);
void registerTextCollation(sqlite3 *connection);

}  // namespace db::sqlfn
