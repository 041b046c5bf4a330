// The recursive-descent parser behind db/JetTranslator.h. Internal to the translator.
//
// One Parser reads one statement (or one condition or ordering) and writes SQLite text as it goes; expressions
// come back as Expr, which remembers whether the expression is a plain column, whether it holds an aggregate, and
// whether its value can hold letters (only then do comparisons, orders and groups need the text collation).
#pragma once

#include "db/JetLexer.h"
#include "db/JetTranslator.h"

#include <QHash>

#include <vector>

namespace db::jet {

struct Expr {
    enum class Kind { Column, Literal, Star, Other };
    QString sql;
    Kind kind = Kind::Other;
    QString column;     // Column: its name
    QString qualifier;  // Column: the table or alias before the dot, if any
    bool aggregate = false;
    bool boolean = false;  // a comparison or logical operation: True is -1 in Jet, 1 in SQLite
    // A number, a truth value, a date or text without letters: every collation compares it alike.
    bool noLetters = false;
    // A number or Null for sure (+ and - of two such stay SQLite's arithmetic).
    bool number = false;
    // May be a date (stored ISO text): + and - then go through jet_add and jet_sub.
    bool mayBeDate = true;
    // The Jet type of the value, when the translator knows it: a column's type, CCur, Sum of Currency, a date
    // function. Unknown otherwise.
    ColumnType type = ColumnType::Unknown;

    bool isColumn() const { return kind == Kind::Column; }
};

// " COLLATE JETTEXT" when e may hold letters, else nothing.
QString textOrder(const Expr &e);
// The collation a comparison of a with b needs: none when either side holds no letters.
QString textOrder(const Expr &a, const Expr &b);

// A table, view or subquery of a FROM clause.
struct Source {
    QString table;  // empty for a subquery
    QString alias;
    int columns = -1;  // a subquery's result columns, when known
};

struct SelectItem {
    Expr expr;
    QString alias;
};

struct SelectCore {
    bool distinct = false;
    QString top;  // the n of TOP n, empty when none
    bool topPercent = false;
    std::vector<SelectItem> items;
    bool hasInto = false;
    QString into;
    QString intoPath;
    QString from;  // SQLite FROM clause body
    int fromTables = 0;
    bool fromJoins = false;
    QString fromTable;  // with exactly one plain table: its name, and its alias if it has one
    QString fromAlias;
    std::vector<Source> sources;
    QString where, groupBy, having;
    std::vector<Expr> groups;  // the GROUP BY expressions
};

struct Select {
    std::vector<SelectCore> cores;   // more than one when joined by UNION
    std::vector<QString> unionOps;   // "UNION" or "UNION ALL" between cores
    QString orderBy;
};

class Parser {
public:
    // columns: the database's columns, if known (db/ColumnCatalog.h); must outlive the parser.
    Parser(const QString &sql, const ColumnCatalog *columns);

    Translation statement(const TranslateOptions &options);
    QString conditionOnly();
    QString orderingOnly();

private:
    QString text_;
    std::vector<Token> tokens_;
    size_t pos_ = 0;
    int syntaxError_ = 0;     // the engine's number for a syntax error in the current statement
    QString syntaxMessage_;   // its description; empty for expression errors (3075 names the expression)
    int unnamed_ = 0;         // counter of Expr1000, Expr1001, ... names
    const ColumnCatalog *columns_ = nullptr;
    QHash<QString, QString> aliases_;  // case-folded alias: its table; empty when two tables share the alias

    // Tokens.
    const Token &peek(size_t ahead = 0) const;
    Token take();
    bool atEnd() const { return peek().kind == TokenKind::End; }
    bool acceptWord(const char *word);
    bool acceptSymbol(const char *symbol);
    void expectWord(const char *word);
    void expectSymbol(const char *symbol);
    QString name();  // a table or column name: bracketed or a bare word
    bool atName() const;
    bool atClauseWord() const;
    void setContext(int number, const QString &message);
    [[noreturn]] void fail() const;
    void finish();

    // Statements.
    Translation selectStatement(const TranslateOptions &options);
    Translation insertStatement();
    Translation deleteStatement();
    Translation updateStatement();
    Translation createStatement();
    Translation createTable();
    Translation createIndex(bool unique);
    Translation dropStatement();
    Translation alterStatement();
    ColumnSpec columnType(const QString &columnName);
    QStringList nameList();

    // Queries.
    Select select();
    SelectCore selectCore();
    void selectList(SelectCore &core);
    void checkGrouping(const SelectCore &core) const;
    void fromClause(SelectCore &core);
    QString fromTerm(SelectCore &core);
    QString tablePrimary(SelectCore &core);
    QString orderList(const SelectCore *core);
    QString emitSelect(const Select &select, bool withRowId);
    QString emitCore(const SelectCore &core, bool withRowId) const;
    QString emitItems(const SelectCore &core) const;
    QString implicitOrder(const SelectCore &core) const;
    int resultColumns(const SelectCore &core) const;
    QString distinctGroups(const SelectCore &core) const;
    bool groupsDistinct(const SelectCore &core) const;
    QString emitUnion(const Select &select);
    QString unionTextOrder(const Select &select, int column) const;
    QString limitOf(const SelectCore &core, const QString &order) const;
    QString tableOf(const QString &qualifier) const;
    QString subquery();

    // Expressions, from the loosest operator to the tightest.
    Expr expression();
    Expr logicalImp();
    Expr logicalEqv();
    Expr logicalXor();
    Expr logicalOr();
    Expr logicalAnd();
    Expr logicalNot();
    Expr comparison();
    Expr concatenation();
    Expr additive();
    Expr modulo();
    Expr integerDivision();
    Expr multiplicative();
    Expr unary();
    Expr power();
    Expr primary();
    Expr wordOrColumn();
    void describeColumn(Expr &e, const QString &table) const;
    Expr functionCall(const QString &name);
    Expr inList(const Expr &left, bool negated);
};

}  // namespace db::jet
