// The stored file means the same to every SQLite tool: its schema names only SQLite's built-in collations and
// functions, its NOCASE indexes are in SQLite's own order, and a file of an earlier version (whose NOCASE indexes
// were in the Unicode-aware order) is rebuilt when opened. The program's own text comparison stays Unicode-aware.
#include "common/ColumnType.h"
#include "db/Database.h"
#include "db/Error.h"
#include "db/TextCollation.h"
#include "support/TestDatabase.h"

#include <QFile>

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using testsupport::TestDatabase;
using Rows = std::vector<std::string>;

namespace {

// A connection as another SQLite tool has it: none of the program's functions or collations.
class StockConnection {
public:
    explicit StockConnection(const QString &path) {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            ADD_FAILURE() << "cannot open " << path.toStdString();
    }
    ~StockConnection() { sqlite3_close(db_); }
    StockConnection(const StockConnection &) = delete;
    StockConnection &operator=(const StockConnection &) = delete;
    sqlite3 *handle() const { return db_; }

    // The first column of every row; an error fails the test and gives {"error: ..."}.
    Rows column(const std::string &sql, const std::vector<std::string> &parameters = {}) const {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql << ": " << sqlite3_errmsg(db_);
            return {"error: " + std::string(sqlite3_errmsg(db_))};
        }
        for (size_t i = 0; i < parameters.size(); ++i)
            sqlite3_bind_text(statement, int(i) + 1, parameters[i].c_str(), -1, SQLITE_TRANSIENT);
        Rows rows;
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
            rows.push_back(text ? text : "NULL");
        }
        if (rc != SQLITE_DONE) {
            ADD_FAILURE() << sql << ": " << sqlite3_errmsg(db_);
            rows.push_back("error: " + std::string(sqlite3_errmsg(db_)));
        }
        sqlite3_finalize(statement);
        return rows;
    }
    void exec(const std::string &sql) const { column(sql); }

    // Every table can be read and the schema names nothing of the program's.
    void expectSound() const {
        EXPECT_EQ(column("PRAGMA integrity_check"), Rows{"ok"});
        for (const std::string &sql : column("SELECT coalesce(sql, '') FROM sqlite_master")) {
            EXPECT_EQ(sql.find("JETTEXT"), std::string::npos) << sql;
            EXPECT_EQ(sql.find("jet_"), std::string::npos) << sql;
        }
        for (const std::string &table : column("SELECT name FROM sqlite_master WHERE type = 'table'"))
            column("SELECT * FROM \"" + table + "\"");
    }

private:
    sqlite3 *db_ = nullptr;
};

const Rows kNames = {"Éclair", "éclair2", "Zed", "abc", "Ábaco", "frank"};

// The names in the program's text order.
QStringList textOrdered(Rows names) {
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        return db::compareText(a, b) < 0;
    });
    QStringList out;
    for (const std::string &name : names)
        out << QString::fromStdString(name);
    return out;
}

int oldNocase(void *, int lengthA, const void *a, int lengthB, const void *b) {
    return db::compareText(std::string_view(static_cast<const char *>(a), size_t(lengthA)),
                           std::string_view(static_cast<const char *>(b), size_t(lengthB)));
}

// A file as earlier versions wrote it: the Unicode-aware order registered as NOCASE while its unique index was
// built, user_version 0.
void writeOldSchemeFile(const QString &path) {
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, nullptr, oldNocase, nullptr);
    std::string sql = "CREATE TABLE sysQueryBuilder (Txt5 TEXT(65) COLLATE NOCASE, Txt0 LONGTEXT COLLATE NOCASE);"
                      "CREATE UNIQUE INDEX \"sysQueryBuilder.Primary\" ON sysQueryBuilder (Txt5);"
                      "CREATE TABLE Bids (Round INTEGER, Bidder TEXT(60) COLLATE NOCASE);"
                      "CREATE INDEX \"Bids.Round\" ON Bids (Round);";
    for (const std::string &name : kNames)
        sql += "INSERT INTO sysQueryBuilder VALUES ('" + name + "', 'q');";
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

void fillQueryNames(TestDatabase &t) {
    t.exec("CREATE TABLE [sysQueryBuilder] ([Txt5] TEXT(65), [Txt0] MEMO)");
    t.exec("ALTER TABLE [sysQueryBuilder] ADD CONSTRAINT [Primary] PRIMARY KEY ([Txt5])");
    for (const std::string &name : kNames)
        t.exec(QStringLiteral("INSERT INTO [sysQueryBuilder] VALUES ('%1', 'q')").arg(QString::fromStdString(name)));
    t.exec("CREATE TABLE [Bids] ([Round] Long, [Bidder] TEXT(60), [Amount] Currency)");
    t.exec("INSERT INTO [Bids] VALUES (1, 'TELEFÓNICA', 10)");
    t.exec("INSERT INTO [Bids] VALUES (2, 'telefónica', 20)");
    t.exec("INSERT INTO [Bids] VALUES (2, 'Telefonica', 40)");
}

}  // namespace

TEST(StorageScheme, StoredFileIsSoundForStockSqlite) {
    TestDatabase t;
    fillQueryNames(t);
    t.db().close();
    StockConnection stock(t.path());
    stock.expectSound();
    EXPECT_EQ(stock.column("PRAGMA user_version"), Rows{std::to_string(db::kStorageScheme)});
    for (const std::string &name : kNames)
        EXPECT_EQ(stock.column("SELECT Txt0 FROM sysQueryBuilder WHERE Txt5 = ?", {name}), Rows{"q"}) << name;
    // The key refuses what SQLite's NOCASE takes for the same name, in any tool.
    const char *duplicate = "INSERT INTO sysQueryBuilder VALUES ('ZED', 'q')";
    EXPECT_NE(sqlite3_exec(stock.handle(), duplicate, nullptr, nullptr, nullptr), SQLITE_OK);
}

TEST(StorageScheme, ProgramComparesUnicodeAwareAfterAStockReindex) {
    TestDatabase t;
    fillQueryNames(t);
    t.db().close();
    StockConnection(t.path()).exec("REINDEX");
    TestDatabase again(t.path());
    EXPECT_EQ(again.column("SELECT [Txt5] FROM [sysQueryBuilder] WHERE [Txt5] = 'ÉCLAIR'"), QStringList{"Éclair"});
    EXPECT_EQ(again.column("SELECT [Txt5] FROM [sysQueryBuilder] WHERE [Txt5] = 'ábaco'"), QStringList{"Ábaco"});
    EXPECT_EQ(again.column("SELECT [Txt5] FROM [sysQueryBuilder] ORDER BY [Txt5]"), textOrdered(kNames));
    EXPECT_EQ(again.column("SELECT DISTINCT [Bidder] FROM [Bids]").size(), 2);
    EXPECT_EQ(again.column("SELECT Sum([Amount]) FROM [Bids] GROUP BY [Bidder]"), (QStringList{"40", "30"}));
    // The program's own name lookups: a table name compares as the engine compares names.
    EXPECT_TRUE(again.db().tableExists("SYSQUERYBUILDER"));
    again.exec("CREATE TABLE [Ñandú] ([X] Long)");
    EXPECT_TRUE(again.db().tableExists("ñANDÚ"));
    again.exec("INSERT INTO [sysQueryBuilder] VALUES ('Ñu', 'q')");
    again.db().close();
    StockConnection(t.path()).expectSound();
}

TEST(StorageScheme, OldSchemeFileIsRebuiltWhenOpened) {
    testsupport::ScratchDir dir;
    const QString path = dir.path("old.mdb");
    writeOldSchemeFile(path);
    {
        StockConnection stock(path);
        // What the stock tool saw in such a file: the Unicode-ordered index looks damaged.
        EXPECT_NE(stock.column("PRAGMA integrity_check"), Rows{"ok"});
        EXPECT_EQ(stock.column("PRAGMA user_version"), Rows{"0"});
    }
    {
        TestDatabase opened(path);
        EXPECT_EQ(opened.column("SELECT [Txt5] FROM [sysQueryBuilder] WHERE [Txt5] = 'ÉCLAIR2'"),
                  QStringList{"éclair2"});
        EXPECT_EQ(opened.column("SELECT [Txt5] FROM [sysQueryBuilder] ORDER BY [Txt5]"), textOrdered(kNames));
    }
    StockConnection stock(path);
    stock.expectSound();
    EXPECT_EQ(stock.column("PRAGMA user_version"), Rows{std::to_string(db::kStorageScheme)});
    for (const std::string &name : kNames)
        EXPECT_EQ(stock.column("SELECT Txt0 FROM sysQueryBuilder WHERE Txt5 = ?", {name}), Rows{"q"}) << name;
}

// A file written through INSERT INTO ... IN "file" is rebuilt before the rows go in.
TEST(StorageScheme, OldSchemeFileIsRebuiltWhenAttached) {
    TestDatabase t;
    const QString old = t.dir().path("other.mdb");
    writeOldSchemeFile(old);
    t.exec("CREATE TABLE [Names] ([Txt5] TEXT(65), [Txt0] MEMO)");
    t.exec("INSERT INTO [Names] VALUES ('Émile', 'q')");
    t.exec(QStringLiteral("INSERT INTO [sysQueryBuilder] IN \"%1\" SELECT * FROM [Names]").arg(old));
    StockConnection stock(old);
    stock.expectSound();
    EXPECT_EQ(stock.column("SELECT count(*) FROM sysQueryBuilder WHERE Txt5 = 'Émile'"), Rows{"1"});
    EXPECT_EQ(stock.column("PRAGMA user_version"), Rows{std::to_string(db::kStorageScheme)});
}

// A file of another program (user_version set) or one that cannot be written is opened as it is.
TEST(StorageScheme, OtherFilesAreLeftAsTheyAre) {
    testsupport::ScratchDir dir;
    const QString path = dir.path("foreign.db");
    sqlite3 *raw = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &raw), SQLITE_OK);
    sqlite3_exec(raw, "CREATE TABLE t (a TEXT COLLATE NOCASE); PRAGMA user_version = 77", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    db::Database::open(path).close();
    EXPECT_EQ(StockConnection(path).column("PRAGMA user_version"), Rows{"77"});
}
