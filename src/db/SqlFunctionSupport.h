// Plumbing shared by the SQL functions: reading arguments with Jet's conversions, setting results, registering
// functions, and turning errors into the text "lotwise:<number>:<description>" that the engine maps back to a
// db::Error.
//
// A Call lives on the stack of one function call and borrows SQLite's argument values; views it hands out are
// valid until that call returns. No state outlives a call, so functions may run on any connection and thread.
#pragma once

#include "db/Error.h"
#include "db/JetDate.h"

#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <string_view>

namespace db::sqlfn {

// A number argument as Jet reads it: whole numbers stay exact.
struct Number {
    bool isInteger = false;
    std::int64_t integer = 0;
    double real = 0.0;
    double value() const { return isInteger ? static_cast<double>(integer) : real; }
};

// A value as a number: INTEGER and REAL as they are, text that CDbl reads, and stored dates (ISO text) as their
// serial number. Empty for other text, blobs and NULL.
std::optional<Number> toNumber(sqlite3_value *value);

// Thrown when a result would exceed the connection's length limit.
struct TooBig {};

class Call {
public:
    static constexpr int kMaxArguments = 6;

    Call(sqlite3_context *context, int argc, sqlite3_value **argv) : context_(context), argc_(argc), argv_(argv) {}

    int count() const { return argc_; }
    bool isNull(int i) const { return sqlite3_value_type(argv_[i]) == SQLITE_NULL; }
    bool anyNull() const;
    int type(int i) const { return sqlite3_value_type(argv_[i]); }
    sqlite3_value *value(int i) const { return argv_[i]; }
    sqlite3_context *context() const { return context_; }

    // The argument as text, numbers shown as VB shows them.
    std::string_view text(int i);
    // The argument as a number; db::Error 13 when it is none.
    Number number(int i) const;
    double real(int i) const { return number(i).value(); }
    // The argument rounded half to even into [low, high]; db::Error 6 outside.
    std::int64_t whole(int i, std::int64_t low, std::int64_t high) const;
    // The argument as a date (text in any form Jet reads, or a serial number); db::Error 13 when it is none.
    JetDateTime date(int i);

    void setText(std::string_view text);
    void setInteger(std::int64_t value) { sqlite3_result_int64(context_, value); }
    void setReal(double value) { sqlite3_result_double(context_, value); }
    void setNull() { sqlite3_result_null(context_); }
    void setArgument(int i) { sqlite3_result_value(context_, argv_[i]); }
    void setDate(const JetDateTime &value);
    void setBoolean(bool value) { setInteger(value ? -1 : 0); }

    // The connection's length limit for a text, and a check against it (throws TooBig).
    std::int64_t lengthLimit() const;
    void checkLength(std::int64_t bytes) const;

private:
    sqlite3_context *context_;
    int argc_;
    sqlite3_value **argv_;
    std::array<std::string, kMaxArguments> converted_;  // text of number arguments
};

// Reports an error as the result of the function: "lotwise:<number>:<description>".
void reportError(sqlite3_context *context, const Error &error);

// Runs a function body; no exception leaves it (SQLite is C).
template <typename Body>
void guarded(sqlite3_context *context, Body &&body) noexcept {
    try {
        body();
    } catch (const Error &error) {
        reportError(context, error);
    } catch (const TooBig &) {
        sqlite3_result_error_toobig(context);
    } catch (const std::bad_alloc &) {
        sqlite3_result_error_nomem(context);
    } catch (...) {
        reportError(context, Error(err::Reserved, QStringLiteral("Unexpected failure in a SQL function")));
    }
}

using ScalarFunction = void (*)(Call &);

struct ScalarDef {
    const char *name;
    int minArgs;
    int maxArgs;
    ScalarFunction function;
    bool deterministic = true;
};

// Registers each definition for each of its argument counts. The definitions must outlive the connection
// (static tables). Throws db::Error when SQLite refuses one.
void registerScalars(sqlite3 *connection, const ScalarDef *defs, std::size_t count);

// Throws db::Error naming the function when a registration call failed.
void checkRegistration(sqlite3 *connection, int rc, const char *name);

}  // namespace db::sqlfn
