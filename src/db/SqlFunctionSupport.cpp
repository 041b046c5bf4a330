#include "db/SqlFunctionSupport.h"

#include "db/VbError.h"
#include "db/VbNumbers.h"

#include <charconv>
#include <cmath>

namespace db::sqlfn {

namespace {

std::string_view rawText(sqlite3_value *value) {
    const auto *data = reinterpret_cast<const char *>(sqlite3_value_text(value));
    const auto size = static_cast<std::size_t>(sqlite3_value_bytes(value));
    return data ? std::string_view(data, size) : std::string_view();
}

void invokeScalar(sqlite3_context *context, int argc, sqlite3_value **argv) {
    const auto *def = static_cast<const ScalarDef *>(sqlite3_user_data(context));
    guarded(context, [&] {
        Call call(context, argc, argv);
        def->function(call);
    });
}

}  // namespace

std::optional<Number> toNumber(sqlite3_value *value) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return Number{true, sqlite3_value_int64(value), 0.0};
    case SQLITE_FLOAT:
        return Number{false, 0, sqlite3_value_double(value)};
    case SQLITE_TEXT: {
        const std::string_view text = rawText(value);
        if (auto number = parseVbNumber(text))
            return Number{false, 0, *number};
        if (auto date = parseIsoDate(text))
            return Number{false, 0, serialFromDate(*date)};
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

bool Call::anyNull() const {
    for (int i = 0; i < argc_; ++i) {
        if (isNull(i))
            return true;
    }
    return false;
}

std::string_view Call::text(int i) {
    switch (type(i)) {
    case SQLITE_INTEGER: {
        char buffer[24];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, sqlite3_value_int64(argv_[i])).ptr;
        converted_[static_cast<std::size_t>(i)].assign(buffer, end);
        return converted_[static_cast<std::size_t>(i)];
    }
    case SQLITE_FLOAT:
        converted_[static_cast<std::size_t>(i)] = vbDoubleText(sqlite3_value_double(argv_[i]));
        return converted_[static_cast<std::size_t>(i)];
    case SQLITE_NULL:
        return {};
    default:
        return rawText(argv_[i]);
    }
}

Number Call::number(int i) const {
    if (auto number = toNumber(argv_[i]))
        return *number;
    throw vbError(err::TypeMismatchRuntime);
}

std::int64_t Call::whole(int i, std::int64_t low, std::int64_t high) const {
    const Number n = number(i);
    if (n.isInteger) {
        if (n.integer < low || n.integer > high)
            throw vbError(err::Overflow);
        return n.integer;
    }
    const double rounded = bankersRound(n.real);
    if (!(rounded >= static_cast<double>(low) && rounded <= static_cast<double>(high)))
        throw vbError(err::Overflow);
    return static_cast<std::int64_t>(rounded);
}

JetDateTime Call::date(int i) {
    if (type(i) == SQLITE_INTEGER || type(i) == SQLITE_FLOAT)
        return dateFromSerial(real(i));
    if (type(i) == SQLITE_TEXT) {
        if (auto date = parseJetDate(rawText(argv_[i])))
            return *date;
    }
    throw vbError(err::TypeMismatchRuntime);
}

void Call::setText(std::string_view text) {
    checkLength(static_cast<std::int64_t>(text.size()));
    // An empty view may have no data pointer, which SQLite would take for NULL.
    sqlite3_result_text64(context_, text.empty() ? "" : text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void Call::setDate(const JetDateTime &value) { setText(isoText(value)); }

std::int64_t Call::lengthLimit() const {
    return sqlite3_limit(sqlite3_context_db_handle(context_), SQLITE_LIMIT_LENGTH, -1);
}

void Call::checkLength(std::int64_t bytes) const {
    if (bytes > lengthLimit())
        throw TooBig{};
}

void reportError(sqlite3_context *context, const Error &error) {
    const QByteArray text = QStringLiteral("lotwise:%1:%2").arg(error.number()).arg(error.description()).toUtf8();
    sqlite3_result_error(context, text.constData(), static_cast<int>(text.size()));
}

void checkRegistration(sqlite3 *connection, int rc, const char *name) {
    if (rc != SQLITE_OK) {
        throw Error(err::Reserved, QStringLiteral("Cannot register the SQL function %1: %2")
                                       .arg(QString::fromUtf8(name), QString::fromUtf8(sqlite3_errmsg(connection))));
    }
}

void registerScalars(sqlite3 *connection, const ScalarDef *defs, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) {
        const ScalarDef &def = defs[k];
        Q_ASSERT(def.maxArgs <= Call::kMaxArguments);
        const int flags = SQLITE_UTF8 | SQLITE_INNOCUOUS | (def.deterministic ? SQLITE_DETERMINISTIC : 0);
        for (int n = def.minArgs; n <= def.maxArgs; ++n) {
            const int rc = sqlite3_create_function_v2(connection, def.name, n, flags, const_cast<ScalarDef *>(&def),
                                                      invokeScalar, nullptr, nullptr, nullptr);
            checkRegistration(connection, rc, def.name);
        }
    }
}

}  // namespace db::sqlfn
