// Jet's number functions as SQL functions: Val, Int, Fix, Sgn, Round, Sqr, IsNumeric.
#include "db/SqlFunctionGroups.h"

#include "db/DecimalDigits.h"
#include "db/SqlFunctionSupport.h"
#include "db/VbError.h"
#include "db/VbNumbers.h"

#include <cmath>

namespace db::sqlfn {

namespace {

void val(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    call.setReal(vbVal(call.text(0)));
}

// Int and Fix keep whole numbers exact; other numbers stay doubles, as in Jet.
template <double (*Rounding)(double)>
void wholePart(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    const Number n = call.number(0);
    if (n.isInteger)
        call.setInteger(n.integer);
    else
        call.setReal(Rounding(n.real));
}

double floorOf(double x) { return std::floor(x); }
double truncOf(double x) { return std::trunc(x); }

void sgn(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    const double x = call.real(0);
    call.setInteger(x > 0 ? 1 : x < 0 ? -1 : 0);
}

// Round(x[, decimals]): half to even on the decimal digits, as VBA rounds.
void round(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const std::int64_t decimals = call.count() > 1 ? call.whole(1, INT32_MIN, INT32_MAX) : 0;
    if (decimals < 0)
        throw vbError(err::InvalidProcedureCall);
    const Number n = call.number(0);
    if (n.isInteger)
        return call.setInteger(n.integer);
    if (!std::isfinite(n.real))
        return call.setReal(n.real);
    DecimalDigits d = DecimalDigits::fromDouble(n.real);
    d.roundTo(static_cast<int>(decimals > 400 ? 400 : decimals), DecimalDigits::Tie::ToEven);
    call.setReal(d.toDouble());
}

void sqr(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    const double x = call.real(0);
    if (x < 0)
        throw vbError(err::InvalidProcedureCall);
    call.setReal(std::sqrt(x));
}

void isnumeric(Call &call) {
    const int type = call.type(0);
    call.setBoolean(type == SQLITE_INTEGER || type == SQLITE_FLOAT ||
                    (type == SQLITE_TEXT && parseVbNumber(call.text(0)).has_value()));
}

constexpr ScalarDef kFunctions[] = {
    {"jet_val", 1, 1, val},       {"jet_int", 1, 1, wholePart<floorOf>}, {"jet_fix", 1, 1, wholePart<truncOf>},
    {"jet_sgn", 1, 1, sgn},       {"jet_round", 1, 2, round},            {"jet_sqr", 1, 1, sqr},
    {"jet_isnumeric", 1, 1, isnumeric},
};

}  // namespace

void registerNumberFunctions(sqlite3 *connection) {
    registerScalars(connection, kFunctions, std::size(kFunctions));
}

}  // namespace db::sqlfn
