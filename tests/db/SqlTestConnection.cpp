#include "db/SqlTestConnection.h"

#include "db/SqlFunctions.h"

#include <gtest/gtest.h>

namespace testsupport {

SqlTestConnection::SqlTestConnection(bool registered) {
    if (sqlite3_open(":memory:", &db_) != SQLITE_OK)
        ADD_FAILURE() << "cannot open an in-memory database";
    if (registered)
        db::registerSqlFunctions(db_);
}

SqlTestConnection::~SqlTestConnection() { sqlite3_close(db_); }

void SqlTestConnection::exec(const std::string &sql) {
    char *message = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK)
        ADD_FAILURE() << sql << ": " << (message ? message : "?");
    sqlite3_free(message);
}

std::string SqlTestConnection::quoted(const std::string &expression) {
    const std::string sql = "SELECT quote(" + expression + ")";
    const std::string error = errorOf(sql);
    if (!error.empty())
        return "error: " + error;
    const std::vector<std::string> rows = column(sql);
    return rows.empty() ? "no row" : rows.front();
}

std::vector<std::string> SqlTestConnection::column(const std::string &sql, const std::vector<std::string> &parameters) {
    std::vector<std::string> rows;
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sql << ": " << sqlite3_errmsg(db_);
        return rows;
    }
    for (std::size_t i = 0; i < parameters.size(); ++i)
        sqlite3_bind_text(statement, static_cast<int>(i + 1), parameters[i].c_str(), -1, SQLITE_TRANSIENT);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
        rows.emplace_back(text ? text : "NULL");
    }
    if (rc != SQLITE_DONE)
        ADD_FAILURE() << sql << ": " << sqlite3_errmsg(db_);
    sqlite3_finalize(statement);
    return rows;
}

std::string SqlTestConnection::errorOf(const std::string &sql) {
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        return sqlite3_errmsg(db_);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    std::string error = rc == SQLITE_DONE ? "" : sqlite3_errmsg(db_);
    sqlite3_finalize(statement);
    return error;
}

void expectQuoted(std::initializer_list<QuotedCase> cases) {
    SqlTestConnection db;
    for (const QuotedCase &c : cases)
        EXPECT_EQ(db.quoted(c.expression), c.expected) << c.expression;
}

}  // namespace testsupport
