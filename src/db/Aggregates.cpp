// Jet's aggregate functions that SQLite lacks: First, Last, StDev, StDevP, Var, VarP.
//
// First and Last give the value of the first and last row the aggregate meets (Null included), in the order
// SQLite feeds the rows. The statistics skip Nulls, read text as numbers (db::Error 13 when it is none), and
// give Null without rows; the sample forms (StDev, Var) also give Null for a single value.
#include "db/SqlFunctionGroups.h"

#include "db/SqlFunctionSupport.h"
#include "db/VbError.h"

#include <cmath>

namespace db::sqlfn {

namespace {

// The kept value of First or Last; lives in SQLite's aggregate context (zero-filled), freed in the final call.
struct KeptValue {
    sqlite3_value *value;
    bool seen;
};

template <bool Last>
void keepStep(sqlite3_context *context, int, sqlite3_value **argv) {
    auto *state = static_cast<KeptValue *>(sqlite3_aggregate_context(context, sizeof(KeptValue)));
    if (!state)
        return sqlite3_result_error_nomem(context);
    if (state->seen && !Last)
        return;
    sqlite3_value *copy = sqlite3_value_dup(argv[0]);
    if (!copy)
        return sqlite3_result_error_nomem(context);
    sqlite3_value_free(state->value);
    state->value = copy;
    state->seen = true;
}

void keepFinal(sqlite3_context *context) {
    auto *state = static_cast<KeptValue *>(sqlite3_aggregate_context(context, 0));
    if (!state || !state->value)
        return sqlite3_result_null(context);
    sqlite3_result_value(context, state->value);
    sqlite3_value_free(state->value);
    state->value = nullptr;
}

// Running mean and sum of squared deviations (Welford), which stays accurate for large amounts.
struct Moments {
    std::int64_t count;
    double mean;
    double squares;
};

void momentsStep(sqlite3_context *context, int, sqlite3_value **argv) {
    guarded(context, [&] {
        if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
            return;
        const std::optional<Number> n = toNumber(argv[0]);
        if (!n)
            throw vbError(err::TypeMismatchRuntime);
        auto *m = static_cast<Moments *>(sqlite3_aggregate_context(context, sizeof(Moments)));
        if (!m)
            throw std::bad_alloc();
        const double x = n->value();
        ++m->count;
        const double delta = x - m->mean;
        m->mean += delta / static_cast<double>(m->count);
        m->squares += delta * (x - m->mean);
    });
}

template <bool Sample, bool Root>
void momentsFinal(sqlite3_context *context) {
    const auto *m = static_cast<const Moments *>(sqlite3_aggregate_context(context, 0));
    const std::int64_t minimum = Sample ? 2 : 1;
    if (!m || m->count < minimum)
        return sqlite3_result_null(context);
    const double variance = m->squares / static_cast<double>(Sample ? m->count - 1 : m->count);
    sqlite3_result_double(context, Root ? std::sqrt(variance) : variance);
}

struct AggregateDef {
    const char *name;
    void (*step)(sqlite3_context *, int, sqlite3_value **);
    void (*final)(sqlite3_context *);
};

constexpr AggregateDef kAggregates[] = {
    {"jet_first", keepStep<false>, keepFinal},
    {"jet_last", keepStep<true>, keepFinal},
    {"jet_stdev", momentsStep, momentsFinal<true, true>},
    {"jet_stdevp", momentsStep, momentsFinal<false, true>},
    {"jet_var", momentsStep, momentsFinal<true, false>},
    {"jet_varp", momentsStep, momentsFinal<false, false>},
};

}  // namespace

void registerAggregates(sqlite3 *connection) {
    for (const AggregateDef &def : kAggregates) {
        const int rc = sqlite3_create_function_v2(connection, def.name, 1,
                                                  SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                                                  nullptr, def.step, def.final, nullptr);
        checkRegistration(connection, rc, def.name);
    }
}

}  // namespace db::sqlfn
