// The VB runtime errors the Jet functions raise, with VB's own descriptions.
//
// Functions of the SQL library and of VB's Format throw these as db::Error; the SQL layer turns them into the
// "lotwise:<number>:<description>" text the engine maps back to db::Error.
#pragma once

#include "db/Error.h"

namespace db {

namespace err {
inline constexpr int InvalidProcedureCall = 5;   // VB: Invalid procedure call or argument
inline constexpr int DivisionByZero = 11;        // VB: Division by zero
inline constexpr int InvalidPatternString = 93;  // VB: Invalid pattern string
inline constexpr int InvalidUseOfNull = 94;      // VB: Invalid use of Null
}  // namespace err

// A db::Error with VB's description for a runtime error number (5, 6, 11, 13, 93, 94).
Error vbError(int number);

}  // namespace db
