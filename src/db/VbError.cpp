#include "db/VbError.h"

namespace db {

Error vbError(int number) {
    switch (number) {
    case err::InvalidProcedureCall:
        return {number, QStringLiteral("Invalid procedure call or argument")};
    case err::Overflow:
        return {number, QStringLiteral("Overflow")};
    case err::DivisionByZero:
        return {number, QStringLiteral("Division by zero")};
    case err::TypeMismatchRuntime:
        return {number, QStringLiteral("Type mismatch")};
    case err::InvalidPatternString:
        return {number, QStringLiteral("Invalid pattern string")};
    case err::InvalidUseOfNull:
        return {number, QStringLiteral("Invalid use of Null")};
    default:
        return {number, QStringLiteral("Application-defined or object-defined error")};
    }
}

}  // namespace db
