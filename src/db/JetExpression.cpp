// Expressions, with Jet's operator precedence (loosest first): Imp, Eqv, Xor, Or, And, Not, comparisons
// (= <> < > <= >= Like Between In Is), &, + -, Mod, \, * /, unary minus, ^. Every operation is written in
// parentheses, so SQLite's own precedence never matters.
#include "db/JetParser.h"

#include "db/Error.h"
#include "db/JetDate.h"
#include "db/TextCollation.h"

#include <QHash>
#include <QSet>

namespace db::jet {

namespace {

Expr combined(const QString &sql, const Expr &left, const Expr &right) {
    Expr e;
    e.sql = sql;
    e.aggregate = left.aggregate || right.aggregate;
    return e;
}

Expr binary(const Expr &left, const QString &op, const Expr &right) {
    return combined(u'(' + left.sql + u' ' + op + u' ' + right.sql + u')', left, right);
}

Expr numeric(Expr e) {
    e.noLetters = true;
    e.number = true;
    e.mayBeDate = false;
    return e;
}

Expr truthValue(Expr e) {
    e = numeric(std::move(e));
    e.boolean = true;
    return e;
}

// A number, Null or True/False as written.
Expr literal(const QString &sql) { return numeric(Expr{sql, Expr::Kind::Literal, {}, {}, false}); }

// Text that every collation orders alike against any other text: ASCII below 'a' other than letters (digits,
// blanks, punctuation, ISO dates). Characters after 'z' ("{|}~") sort before accented letters in one order and
// after them in the other.
bool withoutLetters(const QString &text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= u'a' || (u >= u'A' && u <= u'Z'))
            return false;
    }
    return true;
}


// VB's Mod and \ take whole numbers, rounded to even as CLng does.
QString asInteger(const Expr &e) { return QStringLiteral("jet_clng(") + e.sql + u')'; }

// A registered function of two operands: jet_idiv, jet_mod, jet_div (they raise Division by zero).
Expr numericCall(const char *function, const Expr &left, const Expr &right) {
    return numeric(combined(QLatin1String(function) + u'(' + left.sql + QStringLiteral(", ") + right.sql + u')', left,
                            right));
}

// + and - of two numbers stay SQLite's arithmetic. Where either side may be a date (stored ISO text, which
// SQLite's + reads as its year) they go through jet_add and jet_sub, which move dates by days and give the days
// between two dates; + of two sides that may both be text goes through jet_add too, which joins two texts.
Expr additiveOperation(const Expr &left, bool plus, const Expr &right) {
    const bool dates = left.mayBeDate || right.mayBeDate;
    const bool texts = plus && !left.number && !right.number;
    if ((left.number && right.number) || !(dates || texts))
        return numeric(binary(left, plus ? QStringLiteral("+") : QStringLiteral("-"), right));
    Expr e = combined((plus ? QStringLiteral("jet_add(") : QStringLiteral("jet_sub(")) + left.sql +
                          QStringLiteral(", ") + right.sql + u')',
                      left, right);
    // jet_add joins two texts; it gives a number or a date otherwise.
    e.noLetters = !plus || left.number || right.number || (left.noLetters && right.noLetters);
    const bool leftDate = left.type == ColumnType::DateTime;
    const bool rightDate = right.type == ColumnType::DateTime;
    if (!plus && leftDate && rightDate) {
        e.type = ColumnType::Double;  // the days between two dates
        e.number = true;
        e.mayBeDate = false;
    } else if ((leftDate && (rightDate || right.number)) || (rightDate && left.number)) {
        e.type = ColumnType::DateTime;
    }
    return e;
}

}  // namespace

QString textOrder(const Expr &e) {
    return e.noLetters ? QString() : QStringLiteral(" COLLATE ") + QLatin1String(kTextCollation);
}

QString textOrder(const Expr &a, const Expr &b) { return a.noLetters ? QString() : textOrder(b); }

Expr Parser::expression() { return logicalImp(); }

Expr Parser::logicalImp() {
    Expr left = logicalEqv();
    while (acceptWord("IMP")) {
        const Expr right = logicalEqv();
        left = truthValue(combined(QStringLiteral("((NOT ") + left.sql + QStringLiteral(") OR ") + right.sql + u')', left, right));
    }
    return left;
}

namespace {

// Eqv and Xor compare the truth of both sides: True when they agree (Eqv) or differ (Xor).
Expr truthComparison(const Expr &left, const char *op, const Expr &right) {
    return truthValue(combined(QStringLiteral("((") + left.sql + QStringLiteral(" <> 0) ") + QLatin1String(op) +
                                   QStringLiteral(" (") + right.sql + QStringLiteral(" <> 0))"),
                               left, right));
}

}  // namespace

Expr Parser::logicalEqv() {
    Expr left = logicalXor();
    while (acceptWord("EQV"))
        left = truthComparison(left, "=", logicalXor());
    return left;
}

Expr Parser::logicalXor() {
    Expr left = logicalOr();
    while (acceptWord("XOR"))
        left = truthComparison(left, "<>", logicalOr());
    return left;
}

Expr Parser::logicalOr() {
    Expr left = logicalAnd();
    while (acceptWord("OR"))
        left = truthValue(binary(left, QStringLiteral("OR"), logicalAnd()));
    return left;
}

Expr Parser::logicalAnd() {
    Expr left = logicalNot();
    while (acceptWord("AND"))
        left = truthValue(binary(left, QStringLiteral("AND"), logicalNot()));
    return left;
}

Expr Parser::logicalNot() {
    if (acceptWord("NOT")) {
        const Expr operand = logicalNot();
        return truthValue(combined(QStringLiteral("(NOT ") + operand.sql + u')', operand, operand));
    }
    return comparison();
}

Expr Parser::comparison() {
    Expr left = concatenation();
    while (true) {
        static const char *const ops[] = {"=", "<>", "!=", "<=", ">=", "<", ">"};
        const char *op = nullptr;
        for (const char *candidate : ops)
            if (peek().isSymbol(candidate))
                op = candidate;
        if (op) {
            take();
            const Expr right = concatenation();
            const QString sqlOp = QString::fromLatin1(op) == QLatin1String("!=") ? QStringLiteral("<>")
                                                                                 : QString::fromLatin1(op);
            left = truthValue(combined(
                u'(' + left.sql + u' ' + sqlOp + u' ' + right.sql + textOrder(left, right) + u')', left, right));
            continue;
        }
        const bool negated = peek().isWord("NOT") &&
                             (peek(1).isWord("LIKE") || peek(1).isWord("BETWEEN") || peek(1).isWord("IN"));
        if (negated)
            take();
        const QString notText = negated ? QStringLiteral("NOT ") : QString();
        if (acceptWord("LIKE")) {
            const Expr pattern = concatenation();
            left = truthValue(combined(u'(' + left.sql + u' ' + notText + QStringLiteral("LIKE ") + pattern.sql + u')',
                                       left, pattern));
        } else if (acceptWord("BETWEEN")) {
            const Expr low = concatenation();
            expectWord("AND");
            const Expr high = concatenation();
            const bool plain = left.noLetters || (low.noLetters && high.noLetters);
            const QString subject = left.sql + (plain ? QString() : textOrder(left));
            left = truthValue(combined(u'(' + subject + u' ' + notText + QStringLiteral("BETWEEN ") + low.sql +
                                           QStringLiteral(" AND ") + high.sql + u')',
                                       left, combined({}, low, high)));
        } else if (acceptWord("IN")) {
            left = truthValue(inList(left, negated));
        } else if (!negated && acceptWord("IS")) {
            const bool isNot = acceptWord("NOT");
            expectWord("NULL");
            left = truthValue(combined(
                u'(' + left.sql + (isNot ? QStringLiteral(" IS NOT NULL)") : QStringLiteral(" IS NULL)")), left, left));
        } else {
            if (negated)
                fail();
            return left;
        }
    }
}

// x IN (list) or x IN (SELECT ...).
Expr Parser::inList(const Expr &left, bool negated) {
    expectSymbol("(");
    QString body;
    Expr parts = left;
    bool listNoLetters = false;  // every value of a list holds no letters
    if (peek().isWord("SELECT")) {
        const Select inner = select();
        if (inner.cores.front().hasInto)
            fail();
        body = emitSelect(inner, false);
    } else {
        QStringList values;
        listNoLetters = true;
        do {
            const Expr value = expression();
            parts = combined({}, parts, value);
            listNoLetters = listNoLetters && value.noLetters;
            values << value.sql;
        } while (acceptSymbol(","));
        body = values.join(QStringLiteral(", "));
    }
    expectSymbol(")");
    const QString subject = left.sql + (listNoLetters ? QString() : textOrder(left));
    return combined(u'(' + subject + (negated ? QStringLiteral(" NOT IN (") : QStringLiteral(" IN (")) + body +
                        QStringLiteral("))"),
                    parts, parts);
}

// Jet's & joins the text of both sides, taking Null as empty text and numbers as VB writes them.
Expr Parser::concatenation() {
    Expr left = additive();
    while (acceptSymbol("&")) {
        const Expr right = additive();
        left = combined(QStringLiteral("(coalesce(jet_cstr(") + left.sql + QStringLiteral("), '') || coalesce(jet_cstr(") +
                            right.sql + QStringLiteral("), ''))"),
                        left, right);
        left.mayBeDate = false;
    }
    return left;
}

Expr Parser::additive() {
    Expr left = modulo();
    while (true) {
        if (acceptSymbol("+"))
            left = additiveOperation(left, true, modulo());
        else if (acceptSymbol("-"))
            left = additiveOperation(left, false, modulo());
        else
            return left;
    }
}

// Mod and \ round both operands to whole numbers first, as VB does (jet_mod, jet_idiv).
Expr Parser::modulo() {
    Expr left = integerDivision();
    while (acceptWord("MOD"))
        left = numericCall("jet_mod", left, integerDivision());
    return left;
}

Expr Parser::integerDivision() {
    Expr left = multiplicative();
    while (acceptSymbol("\\"))
        left = numericCall("jet_idiv", left, multiplicative());
    return left;
}

// / always divides as real numbers (5 / 2 is 2.5 in Jet, whatever the column types); by zero it raises error 11.
Expr Parser::multiplicative() {
    Expr left = unary();
    while (true) {
        if (acceptSymbol("*")) {
            left = numeric(binary(left, QStringLiteral("*"), unary()));
        } else if (acceptSymbol("/")) {
            left = numericCall("jet_div", left, unary());
        } else {
            return left;
        }
    }
}

Expr Parser::unary() {
    if (acceptSymbol("-")) {
        const Expr operand = unary();
        if (operand.kind == Expr::Kind::Literal)
            return literal(QStringLiteral("(-") + operand.sql + u')');
        return numeric(combined(QStringLiteral("(-") + operand.sql + u')', operand, operand));
    }
    if (acceptSymbol("+"))
        return unary();
    return power();
}

// ^ binds tighter than unary minus: -2^2 is -4.
Expr Parser::power() {
    Expr left = primary();
    while (acceptSymbol("^")) {
        const Expr right = peek().isSymbol("-") || peek().isSymbol("+") ? unary() : primary();
        left = numeric(
            combined(QStringLiteral("pow(") + left.sql + QStringLiteral(", ") + right.sql + u')', left, right));
    }
    return left;
}

Expr Parser::primary() {
    const Token &t = peek();
    switch (t.kind) {
    case TokenKind::Number: {
        const QString text = take().text;
        if (text.startsWith(u'&')) {  // &H1F: hexadecimal
            bool ok = false;
            const qlonglong value = text.mid(2).remove(u'&').toLongLong(&ok, 16);
            if (!ok)
                fail();
            return literal(QString::number(value));
        }
        return literal(text);
    }
    case TokenKind::String: {
        const QString text = take().text;
        Expr e = literal(singleQuoted(text));
        e.noLetters = withoutLetters(text);
        e.number = false;
        return e;
    }
    case TokenKind::Date: {
        const auto date = parseJetDate(t.text.toStdString());
        if (!date)
            throw Error::syntaxInExpression(u'#' + t.text + u'#');
        take();
        Expr e = literal(singleQuoted(QString::fromStdString(isoText(*date))));
        e.number = false;
        e.mayBeDate = true;
        e.type = ColumnType::DateTime;
        return e;
    }
    case TokenKind::Word:
    case TokenKind::Bracketed: return wordOrColumn();
    case TokenKind::Symbol:
        if (acceptSymbol("(")) {
            if (peek().isWord("SELECT")) {
                const QString sql = subquery();
                expectSymbol(")");
                return Expr{sql, Expr::Kind::Other, {}, {}, false};
            }
            Expr inner = expression();
            expectSymbol(")");
            inner.sql = u'(' + inner.sql + u')';
            return inner;
        }
        if (acceptSymbol("*"))
            return Expr{QStringLiteral("*"), Expr::Kind::Star, {}, {}, false};
        break;
    case TokenKind::End: break;
    }
    fail();
}

Expr Parser::wordOrColumn() {
    const Token t = peek();
    if (t.kind == TokenKind::Word) {
        if (t.isWord("EXISTS") && peek(1).isSymbol("(")) {
            take();
            take();
            Expr e = truthValue(Expr{QStringLiteral("(EXISTS ") + subquery() + u')', Expr::Kind::Other, {}, {}, false});
            expectSymbol(")");
            return e;
        }
        if (peek(1).isSymbol("("))
            return functionCall(take().text);
        if (acceptWord("NULL"))
            return literal(QStringLiteral("NULL"));
        if (acceptWord("TRUE") || acceptWord("YES"))
            return literal(QStringLiteral("-1"));
        if (acceptWord("FALSE") || acceptWord("NO"))
            return literal(QStringLiteral("0"));
        if (atClauseWord())
            fail();
    }
    const QString first = take().text;
    if (acceptSymbol(".") || acceptSymbol("!")) {
        if (acceptSymbol("*"))
            return Expr{bracketName(first) + QStringLiteral(".*"), Expr::Kind::Star, {}, {}, false};
        const QString column = name();
        Expr e{bracketName(first) + u'.' + bracketName(column), Expr::Kind::Column, column, first, false};
        describeColumn(e, tableOf(first));
        return e;
    }
    Expr e{bracketName(first), Expr::Kind::Column, first, {}, false};
    describeColumn(e, {});
    return e;
}

// What the catalog tells of a column: whether it may hold letters or a date, and its type.
void Parser::describeColumn(Expr &e, const QString &table) const {
    if (!columns_)
        return;
    e.noLetters = !columns_->mayHoldText(table, e.column);
    e.mayBeDate = columns_->mayHoldDate(table, e.column);
    e.type = columns_->typeOf(table, e.column);
    e.number = isNumericType(e.type);
}

// The table a column's qualifier names: an alias of the statement, or a table's own name. Empty when unknown.
QString Parser::tableOf(const QString &qualifier) const {
    const auto alias = aliases_.constFind(qualifier.toCaseFolded());
    return alias != aliases_.constEnd() ? *alias : qualifier;
}

namespace {

// Jet functions that are registered on every connection as jet_<name>.
const QSet<QString> &registeredFunctions() {
    static const QSet<QString> names = {
        "left",  "right",    "mid",      "len",       "instr",     "ucase",     "lcase",    "trim",
        "ltrim", "rtrim",    "space",    "string",    "replace",   "strcomp",   "chr",      "asc",
        "strreverse", "val", "cint",     "clng",      "cdbl",      "csng",      "ccur",     "cstr",
        "cbool", "cdate",    "datevalue", "timevalue", "int",      "fix",       "sgn",      "round",
        "sqr",   "isnull",   "isnumeric", "isdate",   "nz",        "year",      "month",    "day",
        "hour",  "minute",   "second",   "weekday",   "dateserial", "dateadd",  "datediff", "datepart",
        "now",   "date",     "time",     "format",    "first",     "last",      "stdev",    "stdevp",
        "var",   "varp"};
    return names;
}

const QSet<QString> &aggregateFunctions() {
    static const QSet<QString> names = {"count", "sum",  "avg",   "min",    "max", "first",
                                        "last",  "stdev", "stdevp", "var", "varp"};
    return names;
}

// Functions whose result is a number, a truth value or an ISO date.
const QSet<QString> &resultsWithoutLetters() {
    static const QSet<QString> names = {
        "len",   "instr",  "asc",      "strcomp",  "val",      "cint",   "clng",   "cdbl",      "csng",
        "ccur",  "cbool",  "int",      "fix",      "sgn",      "round",  "sqr",    "isnull",    "isnumeric",
        "isdate", "year",  "month",    "day",      "hour",     "minute", "second", "weekday",   "datediff",
        "datepart", "stdev", "stdevp", "var",      "varp",     "count",  "sum",    "avg",       "abs",
        "exp",   "log",    "cdate",    "datevalue", "timevalue", "dateserial", "dateadd", "now", "date",
        "time",  "space"};
    return names;
}

// Functions whose result is a date.
const QSet<QString> &dateResults() {
    static const QSet<QString> names = {"cdate", "datevalue", "timevalue", "dateserial", "dateadd", "now", "date",
                                        "time"};
    return names;
}

// The Jet types of function results that do not depend on the arguments.
ColumnType fixedResultType(const QString &key) {
    static const QHash<QString, ColumnType> types = {
        {"ccur", ColumnType::Currency}, {"clng", ColumnType::Long},     {"cint", ColumnType::Integer},
        {"cdbl", ColumnType::Double},   {"csng", ColumnType::Single},   {"cbool", ColumnType::Boolean},
        {"count", ColumnType::Long}};
    return dateResults().contains(key) ? ColumnType::DateTime : types.value(key, ColumnType::Unknown);
}

// The arguments that a function gives back as its result: those of Nz, IIf, Switch, Choose, Min, Max, First and
// Last; none for other functions.
std::vector<const Expr *> passedThrough(const QString &key, const std::vector<Expr> &args) {
    size_t first = 0, step = 1;
    if (key == QLatin1String("iif") || key == QLatin1String("choose"))
        first = 1;
    else if (key == QLatin1String("switch"))
        first = 1, step = 2;
    else if (key != QLatin1String("nz") && key != QLatin1String("min") && key != QLatin1String("max") &&
             key != QLatin1String("first") && key != QLatin1String("last"))
        return {};
    std::vector<const Expr *> results;
    for (size_t i = first; i < args.size(); i += step)
        results.push_back(&args[i]);
    return results;
}

// What a function's result may be: letters, a date, a number, and its Jet type. Functions that give one of their
// arguments take after those arguments; Sum and Avg of Currency are Currency, as in Jet.
void describeResult(Expr &e, const QString &key, const std::vector<Expr> &args) {
    const std::vector<const Expr *> results = passedThrough(key, args);
    if (!results.empty()) {
        e.noLetters = e.number = true;
        e.mayBeDate = false;
        e.type = results.front()->type;
        for (const Expr *r : results) {
            e.noLetters = e.noLetters && r->noLetters;
            e.number = e.number && r->number;
            e.mayBeDate = e.mayBeDate || r->mayBeDate;
            if (r->type != e.type)
                e.type = ColumnType::Unknown;
        }
        return;
    }
    const bool date = dateResults().contains(key);
    e.noLetters = resultsWithoutLetters().contains(key);
    e.number = e.noLetters && !date && key != QLatin1String("space");
    e.mayBeDate = date;
    e.type = fixedResultType(key);
    const bool summed = key == QLatin1String("sum") || key == QLatin1String("avg");
    if (summed && args.size() == 1 && args.front().type == ColumnType::Currency)
        e.type = ColumnType::Currency;
}

}  // namespace

Expr Parser::functionCall(const QString &name) {
    QString key = name.toLower();
    if (key.endsWith(u'$'))
        key.chop(1);
    expectSymbol("(");
    std::vector<Expr> args;
    if (!acceptSymbol(")")) {
        do {
            args.push_back(expression());
        } while (acceptSymbol(","));
        expectSymbol(")");
    }
    Expr e;
    for (const Expr &a : args)
        e.aggregate = e.aggregate || a.aggregate;
    e.aggregate = e.aggregate || aggregateFunctions().contains(key);
    QStringList sqlArgs;
    for (const Expr &a : args)
        sqlArgs << a.sql;
    const QString joined = sqlArgs.join(QStringLiteral(", "));
    if (key == QLatin1String("iif")) {
        if (args.size() != 3)
            fail();
        e.sql = QStringLiteral("(CASE WHEN ") + args[0].sql + QStringLiteral(" THEN ") + args[1].sql +
                QStringLiteral(" ELSE ") + args[2].sql + QStringLiteral(" END)");
    } else if (key == QLatin1String("nz") && args.size() == 2) {
        e.sql = QStringLiteral("coalesce(") + joined + u')';
    } else if (key == QLatin1String("switch")) {
        if (args.empty() || args.size() % 2 != 0)
            fail();
        e.sql = QStringLiteral("(CASE");
        for (size_t i = 0; i < args.size(); i += 2)
            e.sql += QStringLiteral(" WHEN ") + args[i].sql + QStringLiteral(" THEN ") + args[i + 1].sql;
        e.sql += QStringLiteral(" END)");
    } else if (key == QLatin1String("choose")) {
        if (args.size() < 2)
            fail();
        e.sql = QStringLiteral("(CASE ") + asInteger(args[0]);
        for (size_t i = 1; i < args.size(); ++i)
            e.sql += QStringLiteral(" WHEN %1 THEN ").arg(i) + args[i].sql;
        e.sql += QStringLiteral(" END)");
    } else if ((key == QLatin1String("min") || key == QLatin1String("max")) && args.size() == 1) {
        e.sql = key + u'(' + args[0].sql + textOrder(args[0]) + u')';  // Min and Max of text in the text order
    } else if (key == QLatin1String("count") || key == QLatin1String("sum") || key == QLatin1String("avg") ||
               key == QLatin1String("min") || key == QLatin1String("max") || key == QLatin1String("abs") ||
               key == QLatin1String("exp")) {
        e.sql = key + u'(' + joined + u')';
    } else if (key == QLatin1String("log")) {
        e.sql = QStringLiteral("ln(") + joined + u')';
    } else if (registeredFunctions().contains(key)) {
        e.sql = QStringLiteral("jet_") + key + u'(' + joined + u')';
    } else {
        throw Error(err::UndefinedFunction, QStringLiteral("Undefined function '%1' in expression.").arg(name));
    }
    describeResult(e, key, args);
    // Sum and Avg of Currency are Currency: exact to four decimals, as Jet keeps them.
    if (e.type == ColumnType::Currency && (key == QLatin1String("sum") || key == QLatin1String("avg")))
        e.sql = QStringLiteral("jet_ccur(") + e.sql + u')';
    return e;
}

}  // namespace db::jet
