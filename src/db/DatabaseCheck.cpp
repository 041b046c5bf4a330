// The quick check of a database file, remembered while no other connection writes to the file.
#include "db/Connection.h"
#include "db/Database.h"
#include "db/Sqlite.h"

namespace db {

namespace {

qint64 dataVersion(sqlite3 *connection) {
    Statement version(connection, QStringLiteral("PRAGMA data_version"));
    return version.step() ? version.value(0).toLongLong() : -1;
}

}  // namespace

QString Database::damage() const {
    detail::Connection &state = connection();
    sqlite3 *handle = state.handle();
    const qint64 version = dataVersion(handle);
    if (version >= 0 && version == state.soundAtDataVersion)
        return {};
    try {
        Statement check(handle, QStringLiteral("PRAGMA quick_check(1)"), {{}, {}, state.path});
        if (!check.step())
            return QStringLiteral("the check gave no answer");
        const QString result = check.value(0).toString();
        if (result != QLatin1String("ok"))
            return result;
    } catch (const Error &error) {
        if (error.number() != err::UnrecognizedFormat)  // what SQLite's "malformed" becomes
            throw;
        return error.description();
    }
    state.soundAtDataVersion = version;
    return {};
}

}  // namespace db
