// The Jet function library of an auction database connection.
//
// registerSqlFunctions puts on one SQLite connection everything the Jet dialect translator calls:
// - scalar functions named "jet_" + the Jet name in lower case, with Jet's arguments in Jet's order (jet_left,
//   jet_instr, jet_cint, jet_format, jet_dateadd, ...); a Null argument gives Null except where Jet defines a
//   result (IsNull, IsNumeric, IsDate, Nz, Format with a null section);
// - the aggregates jet_first, jet_last, jet_stdev, jet_stdevp, jet_var, jet_varp;
// - Jet's LIKE in place of SQLite's like() (see JetLike.h);
// - the Unicode-aware case-insensitive collation JETTEXT (see TextCollation.h); SQLite's NOCASE stays its own, so
//   that the stored schema, which names only SQLite's built-in collations and functions, reads the same in any tool.
// Dates are ISO text "YYYY-MM-DD HH:MM:SS", Yes/No values -1/0, numbers shown as VB shows them.
//
// A function that fails raises an SQLite error whose message is "lotwise:<number>:<description>" (for example
// "lotwise:13:Type mismatch", "lotwise:6:Overflow", "lotwise:5:Invalid procedure call or argument");
// functionError turns such a message back into the db::Error. Wrong argument counts are refused by SQLite.
//
// Threading: the functions keep no state; call registerSqlFunctions once per connection, from the thread that
// uses the connection, before any statement is prepared on it.
#pragma once

#include "db/Error.h"

#include <optional>
#include <string_view>

struct sqlite3;

namespace db {

// Throws db::Error if SQLite refuses a registration (out of memory).
void registerSqlFunctions(sqlite3 *connection);

// The error behind an SQLite error message raised by one of these functions; empty for any other message.
std::optional<Error> functionError(std::string_view message);

}  // namespace db
