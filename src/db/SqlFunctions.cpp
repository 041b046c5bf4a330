#include "db/SqlFunctions.h"

#include "db/SqlFunctionGroups.h"

#include <charconv>

namespace db {

void registerSqlFunctions(sqlite3 *connection) {
    sqlfn::registerStringFunctions(connection);
    sqlfn::registerNumberFunctions(connection);
    sqlfn::registerArithmeticFunctions(connection);
    sqlfn::registerConversionFunctions(connection);
    sqlfn::registerDateFunctions(connection);
    sqlfn::registerAggregates(connection);
    sqlfn::registerJetLike(connection);
    sqlfn::registerTextCollation(connection);
}

std::optional<Error> functionError(std::string_view message) {
    constexpr std::string_view kPrefix = "lotwise:";
    if (message.substr(0, kPrefix.size()) != kPrefix)
        return std::nullopt;
    message.remove_prefix(kPrefix.size());
    int number = 0;
    const auto [end, ec] = std::from_chars(message.data(), message.data() + message.size(), number);
    if (ec != std::errc() || end == message.data() + message.size() || *end != ':')
        return std::nullopt;
    const std::string_view description = message.substr(static_cast<std::size_t>(end - message.data()) + 1);
    return Error(number, QString::fromUtf8(description.data(), static_cast<qsizetype>(description.size())));
}

}  // namespace db
