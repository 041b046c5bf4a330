// An in-memory SQLite connection for tests of the SQL function library, with helpers that run SQL and return
// results as text. Owns the connection; one per test.
#pragma once

#include <sqlite3.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace testsupport {

class SqlTestConnection {
public:
    // With `registered` false the connection has none of the program's functions, only SQLite's own like(), as
    // other SQLite tools have; SQLite's NOCASE is the same on both.
    explicit SqlTestConnection(bool registered = true);
    ~SqlTestConnection();
    SqlTestConnection(const SqlTestConnection &) = delete;
    SqlTestConnection &operator=(const SqlTestConnection &) = delete;

    sqlite3 *handle() const { return db_; }

    // Runs statements; a failure fails the test.
    void exec(const std::string &sql);
    // quote(expression): 'text', 5, 2.5, NULL, or "error: <message>".
    std::string quoted(const std::string &expression);
    // The first column of every row, NULL as "NULL", with text parameters bound in order.
    std::vector<std::string> column(const std::string &sql, const std::vector<std::string> &parameters = {});
    // The error message a statement ends with; empty when it succeeds.
    std::string errorOf(const std::string &sql);

private:
    sqlite3 *db_ = nullptr;
};

// An expression and what quote() shows of its value.
struct QuotedCase {
    const char *expression;
    const char *expected;
};

// Checks every case on one registered connection.
void expectQuoted(std::initializer_list<QuotedCase> cases);

}  // namespace testsupport
