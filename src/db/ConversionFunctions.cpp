// Jet's conversion functions as SQL functions: CInt, CLng, CDbl, CSng, CCur, CStr, CBool, CDate, DateValue,
// TimeValue, IsNull, IsDate, Nz and Format.
#include "db/SqlFunctionGroups.h"

#include "db/DecimalDigits.h"
#include "db/SqlFunctionSupport.h"
#include "db/VbError.h"
#include "db/VbFormatDetail.h"
#include "db/VbNumbers.h"

#include <cfloat>
#include <cmath>

namespace db::sqlfn {

namespace {

template <std::int64_t Low, std::int64_t High>
void toWhole(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    call.setInteger(call.whole(0, Low, High));
}

void cdbl(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    call.setReal(call.real(0));
}

// A Single kept as the double of its seven significant digits, so that CSng(0.1) shows as 0.1.
void csng(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    const double x = call.real(0);
    if (std::isfinite(x) && std::fabs(x) > FLT_MAX)
        throw vbError(err::Overflow);
    call.setReal(std::isfinite(x) ? DecimalDigits::fromDouble(static_cast<float>(x), 7).toDouble() : x);
}

// Currency: four decimals, rounded half to even; whole amounts stay integers (the storage rule of Currency).
void ccur(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    constexpr double kLimit = 922337203685477.5807;
    const Number n = call.number(0);
    if (n.isInteger) {
        if (static_cast<double>(n.integer) > kLimit || static_cast<double>(n.integer) < -kLimit)
            throw vbError(err::Overflow);
        return call.setInteger(n.integer);
    }
    if (!(std::fabs(n.real) <= kLimit))
        throw vbError(err::Overflow);
    DecimalDigits d = DecimalDigits::fromDouble(n.real);
    d.roundTo(4, DecimalDigits::Tie::ToEven);
    const double amount = d.toDouble();
    if (amount == std::trunc(amount) && std::fabs(amount) < 9.0e15)
        call.setInteger(static_cast<std::int64_t>(amount));
    else
        call.setReal(amount);
}

void cstr(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    call.setText(call.text(0));
}

void cbool(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    if (call.type(0) == SQLITE_TEXT) {
        std::string word;
        for (char c : call.text(0)) {
            if (c != ' ')
                word.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c));
        }
        if (word == "true" || word == "false")
            return call.setBoolean(word == "true");
    }
    call.setBoolean(call.real(0) != 0.0);
}

void cdate(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    call.setDate(call.date(0));
}

void datevalue(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    call.setDate({call.date(0).date, 0});
}

void timevalue(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    call.setDate({JetDateTime::zeroDay(), call.date(0).seconds});
}

void isnull(Call &call) { call.setBoolean(call.isNull(0)); }

void isdate(Call &call) {
    call.setBoolean(call.type(0) == SQLITE_TEXT && parseJetDate(call.text(0)).has_value());
}

// Nz(value[, default]): without a default a Null becomes the empty text.
void nz(Call &call) {
    if (!call.isNull(0))
        return call.setArgument(0);
    if (call.count() > 1)
        return call.setArgument(1);
    call.setText({});
}

void format(Call &call) {
    using vbformat::FormatValue;
    FormatValue v;
    switch (call.type(0)) {
    case SQLITE_INTEGER:
        v = FormatValue::ofInteger(sqlite3_value_int64(call.value(0)));
        break;
    case SQLITE_FLOAT:
        v = FormatValue::ofDouble(sqlite3_value_double(call.value(0)));
        break;
    case SQLITE_NULL:
        break;
    default:
        v = FormatValue::ofText(call.text(0));
        break;
    }
    const std::string_view pattern = call.count() > 1 && !call.isNull(1) ? call.text(1) : std::string_view();
    const std::optional<std::string> text = vbformat::format(v, pattern);
    if (text)
        call.setText(*text);
    else
        call.setNull();
}

constexpr ScalarDef kFunctions[] = {
    {"jet_cint", 1, 1, toWhole<-32768, 32767>},
    {"jet_clng", 1, 1, toWhole<INT32_MIN, INT32_MAX>},
    {"jet_cdbl", 1, 1, cdbl},
    {"jet_csng", 1, 1, csng},
    {"jet_ccur", 1, 1, ccur},
    {"jet_cstr", 1, 1, cstr},
    {"jet_cbool", 1, 1, cbool},
    {"jet_cdate", 1, 1, cdate},
    {"jet_datevalue", 1, 1, datevalue},
    {"jet_timevalue", 1, 1, timevalue},
    {"jet_isnull", 1, 1, isnull},
    {"jet_isdate", 1, 1, isdate},
    {"jet_nz", 1, 2, nz},
    {"jet_format", 1, 2, format},
};

}  // namespace

void registerConversionFunctions(sqlite3 *connection) {
    registerScalars(connection, kFunctions, std::size(kFunctions));
}

}  // namespace db::sqlfn
