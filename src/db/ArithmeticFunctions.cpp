// Jet's arithmetic where SQLite's differs, as SQL functions the translator writes for the operators:
// jet_add and jet_sub (+ and - when an operand may be a date), jet_div (/), jet_idiv (\) and jet_mod (Mod).
//
// Dates are stored ISO text; SQLite's own + would read such text as its leading number (the year). Here a date
// plus or minus a number of days is a date (stored as ISO text again), a date minus a date the number of days
// between them (fractional with times), as in Jet. Null on either side gives Null. Division by zero raises VB's
// error 11 instead of SQLite's Null.
#include "db/SqlFunctionGroups.h"

#include "db/SqlFunctionSupport.h"
#include "db/VbError.h"
#include "db/VbNumbers.h"

#include <cmath>

namespace db::sqlfn {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// An operand of + or -: a date (stored ISO text) or a number (numbers, numeric text).
struct Operand {
    bool isDate = false;
    JetDateTime date;
    Number number;
};

std::optional<Operand> operand(sqlite3_value *value) {
    if (sqlite3_value_type(value) == SQLITE_TEXT) {
        const std::string_view text(reinterpret_cast<const char *>(sqlite3_value_text(value)),
                                    static_cast<std::size_t>(sqlite3_value_bytes(value)));
        if (auto date = parseIsoDate(text))
            return Operand{true, *date, {}};
        if (auto number = parseVbNumber(text))
            return Operand{false, {}, Number{false, 0, *number}};
        return std::nullopt;
    }
    if (auto number = toNumber(value))
        return Operand{false, {}, *number};
    return std::nullopt;
}

std::int64_t absoluteSeconds(const JetDateTime &v) { return v.date.toJulianDay() * kSecondsPerDay + v.seconds; }

// A date moved by a number of days (fractions are times of day, to the second); error 6 outside Jet's range.
JetDateTime movedBy(const JetDateTime &date, double days) {
    const double seconds = std::round(days * kSecondsPerDay);
    if (!(std::fabs(seconds) < 1e13))
        throw vbError(err::Overflow);
    const std::int64_t total = absoluteSeconds(date) + static_cast<std::int64_t>(seconds);
    const std::int64_t day = total >= 0 ? total / kSecondsPerDay : -((-total + kSecondsPerDay - 1) / kSecondsPerDay);
    const QDate moved = QDate::fromJulianDay(day);
    if (!inJetRange(moved))
        throw vbError(err::Overflow);
    return {moved, static_cast<int>(total - day * kSecondsPerDay)};
}

// Two numbers added (sign 1) or subtracted (sign -1): whole numbers stay whole unless they overflow.
void arithmetic(Call &call, const Number &a, const Number &b, int sign) {
    std::int64_t result = 0;
    if (a.isInteger && b.isInteger &&
        !(sign > 0 ? __builtin_add_overflow(a.integer, b.integer, &result)
                   : __builtin_sub_overflow(a.integer, b.integer, &result)))
        return call.setInteger(result);
    call.setReal(sign > 0 ? a.value() + b.value() : a.value() - b.value());
}

// Text on both sides of + joins, as Jet's + does with two strings; a date (stored ISO text) is no string.
bool joinedText(Call &call, const std::optional<Operand> &a, const std::optional<Operand> &b) {
    if (call.type(0) != SQLITE_TEXT || call.type(1) != SQLITE_TEXT || (a && a->isDate) || (b && b->isDate))
        return false;
    const std::string joined = std::string(call.text(0)) + std::string(call.text(1));
    call.setText(joined);
    return true;
}

void add(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const auto a = operand(call.value(0));
    const auto b = operand(call.value(1));
    if (!a || !b) {
        if (joinedText(call, a, b))
            return;
        throw vbError(err::TypeMismatchRuntime);
    }
    if (a->isDate && b->isDate)  // Jet adds the serial numbers; the result is a date
        return call.setDate(movedBy(a->date, serialFromDate(b->date)));
    if (a->isDate || b->isDate)
        return call.setDate(a->isDate ? movedBy(a->date, b->number.value()) : movedBy(b->date, a->number.value()));
    arithmetic(call, a->number, b->number, 1);
}

void subtract(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const auto a = operand(call.value(0));
    const auto b = operand(call.value(1));
    if (!a || !b)
        throw vbError(err::TypeMismatchRuntime);
    if (a->isDate && b->isDate)
        return call.setReal(static_cast<double>(absoluteSeconds(a->date) - absoluteSeconds(b->date)) / kSecondsPerDay);
    if (a->isDate)
        return call.setDate(movedBy(a->date, -b->number.value()));
    if (b->isDate)  // a number minus a date: a date, as in Jet
        return call.setDate(dateFromSerial(a->number.value() - serialFromDate(b->date)));
    arithmetic(call, a->number, b->number, -1);
}

// / always divides as real numbers.
void divide(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const double divisor = call.real(1);
    const double dividend = call.real(0);
    if (divisor == 0)
        throw vbError(err::DivisionByZero);
    call.setReal(dividend / divisor);
}

// \ and Mod round both operands to whole numbers first, as CLng does.
template <bool Remainder>
void wholeDivision(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const std::int64_t dividend = call.whole(0, INT32_MIN, INT32_MAX);
    const std::int64_t divisor = call.whole(1, INT32_MIN, INT32_MAX);
    if (divisor == 0)
        throw vbError(err::DivisionByZero);
    call.setInteger(Remainder ? dividend % divisor : dividend / divisor);
}

constexpr ScalarDef kFunctions[] = {
    {"jet_add", 2, 2, add},
    {"jet_sub", 2, 2, subtract},
    {"jet_div", 2, 2, divide},
    {"jet_idiv", 2, 2, wholeDivision<false>},
    {"jet_mod", 2, 2, wholeDivision<true>},
};

}  // namespace

void registerArithmeticFunctions(sqlite3 *connection) {
    registerScalars(connection, kFunctions, std::size(kFunctions));
}

}  // namespace db::sqlfn
