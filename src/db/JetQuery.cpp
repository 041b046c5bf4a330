// SELECT: its clauses, TOP n, INTO, joins in FROM, UNION, and how the parts are written for SQLite.
#include "db/JetParser.h"

#include "db/Error.h"

#include <QSet>

#include <algorithm>

namespace db::jet {

namespace {

bool rowIdEligible(const Select &query) {
    if (query.cores.size() != 1)
        return false;
    const SelectCore &core = query.cores.front();
    if (core.distinct || core.hasInto || !core.groupBy.isEmpty() || !core.having.isEmpty() ||
        core.fromTables != 1 || core.fromJoins)
        return false;
    for (const SelectItem &item : core.items)
        if (item.expr.aggregate)
            return false;
    return true;
}

}  // namespace

Translation Parser::selectStatement(const TranslateOptions &options) {
    const Select query = select();
    Translation t;
    const SelectCore &first = query.cores.front();
    if (first.hasInto) {
        if (query.cores.size() > 1)
            fail();
        t.kind = StatementKind::SelectInto;
        t.table = first.into;
        t.externalPath = first.intoPath;
        t.sql = emitSelect(query, false);
        return t;
    }
    t.kind = StatementKind::Select;
    t.hasRowId = options.withRowId && rowIdEligible(query);
    if (t.hasRowId)
        t.table = first.fromTable;
    t.sql = emitSelect(query, t.hasRowId);
    return t;
}

Select Parser::select() {
    Select s;
    s.cores.push_back(selectCore());
    while (acceptWord("UNION")) {
        s.unionOps.push_back(acceptWord("ALL") ? QStringLiteral("UNION ALL") : QStringLiteral("UNION"));
        s.cores.push_back(selectCore());
    }
    if (acceptWord("ORDER")) {
        const int savedNumber = syntaxError_;
        const QString savedMessage = syntaxMessage_;
        setContext(3138, QStringLiteral("Syntax error in ORDER BY clause."));
        expectWord("BY");
        s.orderBy = orderList(s.cores.size() == 1 ? &s.cores.front() : nullptr);
        setContext(savedNumber, savedMessage);
    }
    return s;
}

SelectCore Parser::selectCore() {
    SelectCore core;
    if (acceptSymbol("(")) {  // (SELECT ...) as one member of a union
        const Select inner = select();
        expectSymbol(")");
        core.items.push_back({Expr{QStringLiteral("*"), Expr::Kind::Star, {}, {}, false}, {}});
        core.from = u'(' + emitSelect(inner, false) + u')';
        core.fromJoins = true;
        return core;
    }
    expectWord("SELECT");
    for (int i = 0; i < 2; ++i) {  // DISTINCT and TOP n, in either order
        if (acceptWord("DISTINCT") || acceptWord("DISTINCTROW")) {
            core.distinct = true;
        } else if (acceptWord("ALL")) {
        } else if (acceptWord("TOP")) {
            if (peek().kind != TokenKind::Number)
                fail();
            core.top = take().text;
            core.topPercent = acceptWord("PERCENT");
        }
    }
    selectList(core);
    if (acceptWord("INTO")) {
        core.hasInto = true;
        core.into = name();
        if (acceptWord("IN")) {
            if (peek().kind != TokenKind::String)
                fail();
            core.intoPath = take().text;
        }
    }
    if (acceptWord("FROM"))
        fromClause(core);
    if (acceptWord("WHERE"))
        core.where = expression().sql;
    if (acceptWord("GROUP")) {
        expectWord("BY");
        QStringList groups;
        do {
            core.groups.push_back(expression());
            groups << core.groups.back().sql;
        } while (acceptSymbol(","));
        core.groupBy = groups.join(QStringLiteral(", "));
    }
    if (acceptWord("HAVING"))
        core.having = expression().sql;
    checkGrouping(core);
    return core;
}

// In a query that groups or aggregates, a column of the select list must be one of the groups: Jet refuses the
// query otherwise, where SQLite would show the column of an arbitrary row.
void Parser::checkGrouping(const SelectCore &core) const {
    const bool aggregates = std::any_of(core.items.begin(), core.items.end(),
                                        [](const SelectItem &item) { return item.expr.aggregate; });
    if (core.groups.empty() && !aggregates)
        return;
    for (const SelectItem &item : core.items) {
        if (!item.expr.isColumn())
            continue;
        const bool grouped = std::any_of(core.groups.begin(), core.groups.end(), [&](const Expr &group) {
            return group.isColumn() && group.column.compare(item.expr.column, Qt::CaseInsensitive) == 0;
        });
        if (!grouped)
            throw Error(3122, QStringLiteral("You tried to execute a query that does not include the specified "
                                             "expression '%1' as part of an aggregate function.")
                                  .arg(item.expr.column));
    }
}

void Parser::selectList(SelectCore &core) {
    do {
        SelectItem item;
        if (acceptSymbol("*"))
            item.expr = Expr{QStringLiteral("*"), Expr::Kind::Star, {}, {}, false};
        else
            item.expr = expression();
        if (acceptWord("AS"))
            item.alias = name();
        core.items.push_back(item);
    } while (acceptSymbol(","));
}

void Parser::fromClause(SelectCore &core) {
    const int savedNumber = syntaxError_;
    const QString savedMessage = syntaxMessage_;
    setContext(3131, QStringLiteral("Syntax error in FROM clause."));
    core.from = fromTerm(core);
    while (acceptSymbol(","))
        core.from += QStringLiteral(", ") + fromTerm(core);
    setContext(savedNumber, savedMessage);
}

// A table or a parenthesized group, followed by any number of INNER, LEFT or RIGHT joins.
QString Parser::fromTerm(SelectCore &core) {
    QString sql = tablePrimary(core);
    while (true) {
        QString kind;
        if (acceptWord("INNER"))
            kind = QStringLiteral("INNER");
        else if (acceptWord("LEFT"))
            kind = QStringLiteral("LEFT");
        else if (acceptWord("RIGHT"))
            kind = QStringLiteral("RIGHT");
        else
            break;
        acceptWord("OUTER");
        expectWord("JOIN");
        core.fromJoins = true;
        sql += u' ' + kind + QStringLiteral(" JOIN ") + tablePrimary(core);
        expectWord("ON");
        sql += QStringLiteral(" ON ") + expression().sql;
    }
    return sql;
}

QString Parser::tablePrimary(SelectCore &core) {
    QString sql;
    if (acceptSymbol("(")) {
        core.fromJoins = true;
        if (peek().isWord("SELECT")) {
            sql = u'(' + emitSelect(select(), false) + u')';
        } else {
            sql = u'(' + fromTerm(core) + u')';
        }
        expectSymbol(")");
    } else {
        const QString table = name();
        ++core.fromTables;
        core.fromTable = table;
        sql = bracketName(table);
    }
    QString alias;
    if (acceptWord("AS"))
        alias = name();
    else if (atName())
        alias = name();
    if (!alias.isEmpty()) {
        sql += QStringLiteral(" AS ") + bracketName(alias);
        core.fromAlias = alias;
    }
    return sql;
}

// ORDER BY items. A bare column that the select list names with a table before it is written with that table,
// as Jet resolves it, so that a column both tables of a join have is not ambiguous. Expressions sort text
// without regard to case, as columns do.
QString Parser::orderList(const SelectCore *core) {
    QStringList items;
    do {
        const Expr e = expression();
        QString sql = e.sql;
        if (core && e.isColumn() && e.qualifier.isEmpty() && core->fromTables > 1) {
            for (const SelectItem &item : core->items) {
                if (item.alias.isEmpty() && item.expr.isColumn() && !item.expr.qualifier.isEmpty() &&
                    item.expr.column.compare(e.column, Qt::CaseInsensitive) == 0) {
                    sql = item.expr.sql;
                    break;
                }
            }
        } else if (!e.isColumn() && e.kind != Expr::Kind::Literal) {
            sql += QStringLiteral(" COLLATE NOCASE");
        }
        if (acceptWord("DESC"))
            sql += QStringLiteral(" DESC");
        else
            acceptWord("ASC");
        items << sql;
    } while (acceptSymbol(","));
    return items.join(QStringLiteral(", "));
}

// The select list with Jet's column names: an expression without AS is named Expr1000, Expr1001, ...; two
// columns of the same name from different tables are named table.column.
QString Parser::emitItems(const SelectCore &core) const {
    QSet<QString> seen, duplicated;
    for (const SelectItem &item : core.items) {
        if (item.alias.isEmpty() && item.expr.isColumn()) {
            const QString key = item.expr.column.toLower();
            if (seen.contains(key))
                duplicated.insert(key);
            seen.insert(key);
        }
    }
    QStringList out;
    int unnamed = 1000;
    for (const SelectItem &item : core.items) {
        Expr e = item.expr;
        if (e.boolean)  // a truth value shows as Jet's -1, not SQLite's 1
            e.sql = QStringLiteral("(-") + e.sql + u')';
        if (!item.alias.isEmpty())
            out << e.sql + QStringLiteral(" AS ") + bracketName(item.alias);
        else if (e.kind == Expr::Kind::Star)
            out << e.sql;
        else if (e.isColumn() && duplicated.contains(e.column.toLower()) && !e.qualifier.isEmpty())
            out << e.sql + QStringLiteral(" AS ") + bracketName(e.qualifier + u'.' + e.column);
        else if (e.isColumn())
            out << e.sql;
        else
            out << e.sql + QStringLiteral(" AS ") + bracketName(QStringLiteral("Expr%1").arg(unnamed++));
    }
    return out.join(QStringLiteral(", "));
}

QString Parser::emitCore(const SelectCore &core, bool withRowId) const {
    QString sql = QStringLiteral("SELECT ");
    if (core.distinct)
        sql += QStringLiteral("DISTINCT ");
    if (withRowId) {
        const QString owner = core.fromAlias.isEmpty() ? core.fromTable : core.fromAlias;
        sql += bracketName(owner) + QStringLiteral(".rowid AS [") + QLatin1String(kHiddenColumnPrefix) +
               QStringLiteral("rowid], ");
    }
    sql += emitItems(core);
    if (!core.from.isEmpty())
        sql += QStringLiteral(" FROM ") + core.from;
    if (!core.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + core.where;
    if (!core.groupBy.isEmpty())
        sql += QStringLiteral(" GROUP BY ") + core.groupBy;
    if (!core.having.isEmpty())
        sql += QStringLiteral(" HAVING ") + core.having;
    return sql;
}

// Jet sorts to find distinct rows and groups, so without ORDER BY they come out in ascending order; SQLite
// promises no order, so the order is asked for.
QString Parser::implicitOrder(const SelectCore &core) const {
    if (!core.groupBy.isEmpty())
        return core.groupBy;
    if (!core.distinct)
        return {};
    QStringList positions;
    for (size_t i = 0; i < core.items.size(); ++i) {
        if (core.items[i].expr.kind == Expr::Kind::Star)
            return {};
        positions << QString::number(i + 1);
    }
    return positions.join(QStringLiteral(", "));
}

// TOP n becomes LIMIT n at the end of its own SELECT; TOP n PERCENT a limit computed from the row count. With an
// ORDER BY, Jet's TOP n also returns the rows that tie with the n-th, so the limit counts the rows that rank
// within the first n.
QString Parser::emitSelect(const Select &select, bool withRowId) {
    auto limitOf = [this](const SelectCore &core, const QString &order) -> QString {
        if (core.top.isEmpty())
            return {};
        SelectCore counted = core;
        counted.top.clear();
        if (core.topPercent)
            return QStringLiteral(" LIMIT (SELECT CAST(ceil(COUNT(*) * %1 / 100.0) AS INTEGER) FROM (%2))")
                .arg(core.top, emitCore(counted, false));
        if (order.isEmpty() || core.distinct)
            return QStringLiteral(" LIMIT ") + core.top;
        counted.items = {SelectItem{Expr{QStringLiteral("rank() OVER (ORDER BY ") + order + u')', Expr::Kind::Other,
                                         {}, {}, false, false},
                                    QLatin1String(kHiddenColumnPrefix) + QStringLiteral("rank")}};
        return QStringLiteral(" LIMIT (SELECT count(*) FROM (%1) WHERE [%2rank] <= %3)")
            .arg(emitCore(counted, false), QLatin1String(kHiddenColumnPrefix), core.top);
    };
    if (select.cores.size() == 1) {
        const SelectCore &core = select.cores.front();
        QString sql = emitCore(core, withRowId);
        const QString order = select.orderBy.isEmpty() ? implicitOrder(core) : select.orderBy;
        if (!order.isEmpty())
            sql += QStringLiteral(" ORDER BY ") + order;
        return sql + limitOf(core, select.orderBy);
    }
    QString sql;
    for (size_t i = 0; i < select.cores.size(); ++i) {
        const SelectCore &core = select.cores[i];
        if (i > 0)
            sql += u' ' + select.unionOps[i - 1] + u' ';
        const QString part = emitCore(core, false);
        sql += core.top.isEmpty() ? part : QStringLiteral("SELECT * FROM (") + part + limitOf(core, {}) + u')';
    }
    if (!select.orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + select.orderBy;
    return sql;
}

QString Parser::subquery() {
    const Select inner = select();
    if (inner.cores.front().hasInto)
        fail();
    return u'(' + emitSelect(inner, false) + u')';
}

}  // namespace db::jet
