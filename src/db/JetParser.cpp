// Token handling and the statements other than SELECT.
#include "db/JetParser.h"

#include "db/Error.h"

namespace db::jet {

namespace {

// Words that end an expression or a name list; never taken as names when bare.
const char *const kClauseWords[] = {"SELECT", "FROM",  "WHERE", "GROUP", "HAVING", "ORDER",  "UNION",
                                    "INTO",   "IN",    "ON",    "AND",   "OR",     "NOT",    "AS",
                                    "INNER",  "LEFT",  "RIGHT", "JOIN",  "VALUES", "SET",    "LIKE",
                                    "BETWEEN", "IS",   "XOR",   "EQV",   "IMP",    "MOD",    "ASC",
                                    "DESC",   "BY",    "WITH",  "OUTER", "DISTINCT", "DISTINCTROW", "TOP"};

}  // namespace

QString bracketName(const QString &name) {
    if (name.contains(u']'))
        return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
    return u'[' + name + u']';
}

Parser::Parser(const QString &sql, const ColumnCatalog *columns)
    : text_(sql), tokens_(tokenize(sql)), columns_(columns) {}

const Token &Parser::peek(size_t ahead) const {
    const size_t i = pos_ + ahead;
    return i < tokens_.size() ? tokens_[i] : tokens_.back();
}

Token Parser::take() {
    Token t = peek();
    if (pos_ < tokens_.size() - 1)
        ++pos_;
    return t;
}

bool Parser::acceptWord(const char *word) {
    if (!peek().isWord(word))
        return false;
    take();
    return true;
}

bool Parser::acceptSymbol(const char *symbol) {
    if (!peek().isSymbol(symbol))
        return false;
    take();
    return true;
}

void Parser::expectWord(const char *word) {
    if (!acceptWord(word))
        fail();
}

void Parser::expectSymbol(const char *symbol) {
    if (!acceptSymbol(symbol))
        fail();
}

bool Parser::atClauseWord() const {
    for (const char *w : kClauseWords)
        if (peek().isWord(w))
            return true;
    return false;
}

bool Parser::atName() const {
    return peek().kind == TokenKind::Bracketed || (peek().kind == TokenKind::Word && !atClauseWord());
}

QString Parser::name() {
    if (!atName())
        fail();
    return take().text;
}

QStringList Parser::nameList() {
    QStringList names;
    expectSymbol("(");
    do {
        names << name();
        acceptWord("ASC") || acceptWord("DESC");
    } while (acceptSymbol(","));
    expectSymbol(")");
    return names;
}

void Parser::setContext(int number, const QString &message) {
    syntaxError_ = number;
    syntaxMessage_ = message;
}

void Parser::fail() const {
    if (syntaxError_ != 0 && !syntaxMessage_.isEmpty())
        throw Error(syntaxError_, syntaxMessage_);
    throw Error::syntaxInExpression(text_.trimmed());
}

// One statement only: a closing semicolon may follow, nothing else.
void Parser::finish() {
    acceptSymbol(";");
    if (!atEnd())
        throw Error(err::CharactersAfterEnd, QStringLiteral("Characters found after end of SQL statement."));
}

Translation Parser::statement(const TranslateOptions &options) {
    const Token &first = peek();
    Translation t;
    if (first.isWord("SELECT") || first.isSymbol("("))
        t = selectStatement(options);
    else if (first.isWord("INSERT"))
        t = insertStatement();
    else if (first.isWord("DELETE"))
        t = deleteStatement();
    else if (first.isWord("UPDATE"))
        t = updateStatement();
    else if (first.isWord("CREATE"))
        t = createStatement();
    else if (first.isWord("DROP"))
        t = dropStatement();
    else if (first.isWord("ALTER"))
        t = alterStatement();
    else
        throw Error(3129, QStringLiteral("Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', "
                                         "'SELECT', or 'UPDATE'."));
    finish();
    return t;
}

QString Parser::conditionOnly() {
    const Expr e = expression();
    if (!atEnd())
        fail();
    return e.sql;
}

QString Parser::orderingOnly() {
    const QString list = orderList(nullptr);
    if (!atEnd())
        fail();
    return list;
}

Translation Parser::insertStatement() {
    setContext(err::SyntaxInInsert, QStringLiteral("Syntax error in INSERT INTO statement."));
    expectWord("INSERT");
    expectWord("INTO");
    Translation t;
    t.table = name();
    if (acceptWord("IN")) {
        if (peek().kind != TokenKind::String)
            fail();
        t.externalPath = take().text;
    }
    if (peek().isSymbol("(") && !peek(1).isWord("SELECT"))
        t.columns = nameList();
    if (acceptWord("VALUES")) {
        if (!t.externalPath.isEmpty())
            fail();
        QStringList values;
        expectSymbol("(");
        do {
            values << expression().sql;
        } while (acceptSymbol(","));
        expectSymbol(")");
        QStringList columns;
        for (const QString &c : t.columns)
            columns << bracketName(c);
        t.kind = StatementKind::InsertValues;
        t.sql = QStringLiteral("INSERT INTO ") + bracketName(t.table) +
                (columns.isEmpty() ? QString() : QStringLiteral(" (") + columns.join(QStringLiteral(", ")) + u')') +
                QStringLiteral(" VALUES (") + values.join(QStringLiteral(", ")) + u')';
        return t;
    }
    if (!peek().isWord("SELECT") && !peek().isSymbol("("))
        fail();
    const Select query = select();
    if (query.cores.front().hasInto)
        fail();
    t.kind = StatementKind::InsertSelect;
    t.sql = emitSelect(query, false);
    return t;
}

// DELETE [* | columns] FROM table [WHERE condition]: what stands before FROM names no rows, so it is skipped.
Translation Parser::deleteStatement() {
    expectWord("DELETE");
    while (!peek().isWord("FROM")) {
        if (atEnd())
            fail();
        take();
    }
    expectWord("FROM");
    Translation t;
    t.kind = StatementKind::Delete;
    t.table = name();
    t.sql = QStringLiteral("DELETE FROM ") + bracketName(t.table);
    if (acceptWord("WHERE"))
        t.sql += QStringLiteral(" WHERE ") + expression().sql;
    return t;
}

Translation Parser::updateStatement() {
    setContext(3144, QStringLiteral("Syntax error in UPDATE statement."));
    expectWord("UPDATE");
    Translation t;
    t.kind = StatementKind::Update;
    t.table = name();
    expectWord("SET");
    QStringList sets;
    do {
        QString column = name();
        if (acceptSymbol("."))  // table.column: SQLite names the column alone
            column = name();
        expectSymbol("=");
        sets << bracketName(column) + QStringLiteral(" = ") + expression().sql;
    } while (acceptSymbol(","));
    t.sql = QStringLiteral("UPDATE ") + bracketName(t.table) + QStringLiteral(" SET ") + sets.join(QStringLiteral(", "));
    if (acceptWord("WHERE"))
        t.sql += QStringLiteral(" WHERE ") + expression().sql;
    return t;
}

Translation Parser::dropStatement() {
    setContext(3295, QStringLiteral("Syntax error in DROP TABLE or DROP INDEX."));
    expectWord("DROP");
    Translation t;
    if (acceptWord("TABLE")) {
        t.kind = StatementKind::DropTable;
        t.table = name();
        return t;
    }
    expectWord("INDEX");
    const QString index = name();
    expectWord("ON");
    t.kind = StatementKind::DropIndex;
    t.table = name();
    t.sql = QStringLiteral("DROP INDEX ") + bracketName(t.table + u'.' + index);
    return t;
}

Translation Parser::createStatement() {
    expectWord("CREATE");
    if (acceptWord("TABLE"))
        return createTable();
    const bool unique = acceptWord("UNIQUE");
    setContext(3289, QStringLiteral("Syntax error in CONSTRAINT clause."));
    expectWord("INDEX");
    return createIndex(unique);
}

Translation Parser::createIndex(bool unique) {
    Translation t;
    t.kind = StatementKind::CreateIndex;
    const QString index = name();
    expectWord("ON");
    t.table = name();
    QStringList columns;
    for (const QString &c : nameList())
        columns << bracketName(c);
    if (acceptWord("WITH")) {  // PRIMARY, DISALLOW NULL, IGNORE NULL: the unique index is what matters here
        while (!atEnd() && !peek().isSymbol(";"))
            take();
    }
    t.sql = QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                .arg(unique ? QStringLiteral("UNIQUE ") : QString(), bracketName(t.table + u'.' + index),
                     bracketName(t.table), columns.join(QStringLiteral(", ")));
    return t;
}

Translation Parser::alterStatement() {
    setContext(3293, QStringLiteral("Syntax error in ALTER TABLE statement."));
    expectWord("ALTER");
    expectWord("TABLE");
    Translation t;
    t.table = name();
    if (acceptWord("ADD")) {
        if (acceptWord("CONSTRAINT")) {
            t.constraint = name();
            if (acceptWord("PRIMARY")) {
                expectWord("KEY");
                t.kind = StatementKind::AddPrimaryKey;
            } else {
                expectWord("UNIQUE");
                t.kind = StatementKind::AddUnique;
            }
            t.keyColumns = nameList();
            return t;
        }
        acceptWord("COLUMN");
        const QString column = name();
        const ColumnSpec columnSpec = columnType(column);
        t.kind = StatementKind::AlterOther;
        t.sql = QStringLiteral("ALTER TABLE ") + bracketName(t.table) + QStringLiteral(" ADD COLUMN ") +
                QString::fromStdString(columnDefinition(columnSpec));
        return t;
    }
    expectWord("DROP");
    acceptWord("COLUMN");
    t.kind = StatementKind::AlterOther;
    t.sql = QStringLiteral("ALTER TABLE ") + bracketName(t.table) + QStringLiteral(" DROP COLUMN ") +
            bracketName(name());
    return t;
}

}  // namespace db::jet
