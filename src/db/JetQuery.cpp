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

// The types of a query's result columns that the translator knows; empty for a union or a select list with *.
std::vector<ColumnType> knownTypes(const Select &query) {
    std::vector<ColumnType> types;
    if (query.cores.size() != 1)
        return types;
    for (const SelectItem &item : query.cores.front().items) {
        if (item.expr.kind == Expr::Kind::Star)
            return {};
        // A plain column's own declared type (SQLite gives it) is surer than one found by its name.
        types.push_back(item.expr.isColumn() ? ColumnType::Unknown : item.expr.type);
    }
    return types;
}

// The name the rowid of a query's one table is read through: its alias, else the table.
QString rowIdOwner(const SelectCore &core) {
    return bracketName(core.fromAlias.isEmpty() ? core.fromTable : core.fromAlias);
}

// The rowid as the last key of an order (", [T].rowid"): rows that tie on every other key then come in the same
// order each time the query runs, so that separate reads of it (a first page, then the whole order) agree. Ties
// keep the table's own order, as a plain scan and sort would give them.
QString rowIdKey(const SelectCore &core) { return QStringLiteral(", ") + rowIdOwner(core) + QStringLiteral(".rowid"); }

}  // namespace

Translation Parser::selectStatement(const TranslateOptions &options) {
    const Select query = select();
    Translation t;
    const SelectCore &first = query.cores.front();
    t.columnTypes = knownTypes(query);
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
        core.sources.push_back(Source{{}, {}, resultColumns(inner.cores.front())});
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
            groups << core.groups.back().sql + textOrder(core.groups.back());
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
    Source source;
    bool nested = false;  // a parenthesized join: its tables are sources already
    if (acceptSymbol("(")) {
        core.fromJoins = true;
        if (peek().isWord("SELECT")) {
            const Select inner = select();
            source.columns = resultColumns(inner.cores.front());
            sql = u'(' + emitSelect(inner, false) + u')';
        } else {
            sql = u'(' + fromTerm(core) + u')';
            nested = true;
        }
        expectSymbol(")");
    } else {
        const QString table = name();
        ++core.fromTables;
        core.fromTable = table;
        source.table = table;
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
        source.alias = alias;
        // The alias stands for its table in the columns' types; an alias used for two tables stands for none.
        const QString key = alias.toCaseFolded();
        const auto known = aliases_.constFind(key);
        aliases_[key] = known == aliases_.constEnd() || *known == source.table ? source.table : QString();
    }
    if (!nested)
        core.sources.push_back(source);
    return sql;
}

// ORDER BY items. A bare column that the select list names with a table before it is written with that table,
// as Jet resolves it, so that a column both tables of a join have is not ambiguous. Text sorts in the text order;
// numbers (and a number, which names a result column by position) stay bare, so that an index can give the order.
QString Parser::orderList(const SelectCore *core) {
    QStringList items;
    do {
        Expr e = expression();
        if (core && e.isColumn() && e.qualifier.isEmpty() && core->fromTables > 1) {
            for (const SelectItem &item : core->items) {
                if (item.alias.isEmpty() && item.expr.isColumn() && !item.expr.qualifier.isEmpty() &&
                    item.expr.column.compare(e.column, Qt::CaseInsensitive) == 0) {
                    e = item.expr;
                    break;
                }
            }
        }
        QString sql = e.sql + textOrder(e);
        if (acceptWord("DESC"))
            sql += QStringLiteral(" DESC");
        else
            acceptWord("ASC");
        items << sql;
    } while (acceptSymbol(","));
    return items.join(QStringLiteral(", "));
}

// The select list with Jet's column names: an expression without AS is named Expr1000, Expr1001, ...; two
// columns of the same name from different tables are named table.column. A DISTINCT that cannot become a GROUP BY
// compares its expressions in the text order (a column keeps its declared type, so it stays bare).
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
    const bool collated = core.distinct && !groupsDistinct(core);
    QStringList out;
    int unnamed = 1000;
    for (const SelectItem &item : core.items) {
        Expr e = item.expr;
        if (e.boolean)  // a truth value shows as Jet's -1, not SQLite's 1
            e.sql = QStringLiteral("(-") + e.sql + u')';
        if (collated && !e.isColumn() && e.kind != Expr::Kind::Star)
            e.sql += textOrder(e);
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

// The number of result columns of a SELECT, * counted from the catalog's tables; -1 when unknown.
int Parser::resultColumns(const SelectCore &core) const {
    int count = 0;
    for (const SelectItem &item : core.items) {
        if (item.expr.kind != Expr::Kind::Star) {
            ++count;
            continue;
        }
        const QString qualifier = item.expr.sql.endsWith(QLatin1String(".*")) ? item.expr.sql.chopped(2) : QString();
        bool matched = false;
        for (const Source &source : core.sources) {
            const QString name = bracketName(source.alias.isEmpty() ? source.table : source.alias);
            if (!qualifier.isEmpty() && name.compare(qualifier, Qt::CaseInsensitive) != 0)
                continue;
            const int columns = source.table.isEmpty() ? source.columns
                                                       : (columns_ ? columns_->columnCount(source.table) : -1);
            if (columns < 0)
                return -1;
            count += columns;
            matched = true;
        }
        if (!matched)
            return -1;
    }
    return count;
}

// SELECT DISTINCT without grouping or aggregates runs as a GROUP BY of every result column by position: the
// groups compare text in the text order while the result columns stay bare.
bool Parser::groupsDistinct(const SelectCore &core) const {
    const auto aggregate = [](const SelectItem &item) { return item.expr.aggregate; };
    return core.distinct && core.groupBy.isEmpty() && std::none_of(core.items.begin(), core.items.end(), aggregate) &&
           resultColumns(core) > 0;
}

// "1 COLLATE JETTEXT, 2, ...": every result column by position, text ones in the text order. A column of * may
// be anything.
QString Parser::distinctGroups(const SelectCore &core) const {
    QStringList positions;
    for (const SelectItem &item : core.items) {
        if (item.expr.kind == Expr::Kind::Star) {
            const int before = int(positions.size());
            SelectCore one = core;
            one.items = {item};
            for (int i = 0; i < resultColumns(one); ++i)
                positions << QString::number(before + i + 1) + textOrder(Expr{});
        } else {
            positions << QString::number(positions.size() + 1) + textOrder(item.expr);
        }
    }
    return positions.join(QStringLiteral(", "));
}

QString Parser::emitCore(const SelectCore &core, bool withRowId) const {
    const bool grouped = groupsDistinct(core);
    QString sql = QStringLiteral("SELECT ");
    if (core.distinct && !grouped)
        sql += QStringLiteral("DISTINCT ");
    if (withRowId)
        sql += rowIdOwner(core) + QStringLiteral(".rowid AS [") + QLatin1String(kHiddenColumnPrefix) +
               QStringLiteral("rowid], ");
    sql += emitItems(core);
    if (!core.from.isEmpty())
        sql += QStringLiteral(" FROM ") + core.from;
    if (!core.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + core.where;
    if (grouped)
        sql += QStringLiteral(" GROUP BY ") + distinctGroups(core);
    else if (!core.groupBy.isEmpty())
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
    if (groupsDistinct(core))
        return distinctGroups(core);
    QStringList positions;
    for (size_t i = 0; i < core.items.size(); ++i) {
        if (core.items[i].expr.kind == Expr::Kind::Star)
            return {};
        positions << QString::number(i + 1) + textOrder(core.items[i].expr);
    }
    return positions.join(QStringLiteral(", "));
}

// TOP n becomes LIMIT n at the end of its own SELECT; TOP n PERCENT a limit computed from the row count. With an
// ORDER BY, Jet's TOP n also returns the rows that tie with the n-th, so the limit counts the rows that rank
// within the first n. With the rowid shown, an order ends with the rowid, so that ties come in a fixed order.
QString Parser::emitSelect(const Select &select, bool withRowId) {
    if (select.cores.size() > 1)
        return emitUnion(select);
    const SelectCore &core = select.cores.front();
    QString sql = emitCore(core, withRowId);
    const QString order = select.orderBy.isEmpty() ? implicitOrder(core) : select.orderBy;
    if (!order.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + order + (withRowId ? rowIdKey(core) : QString());
    return sql + limitOf(core, select.orderBy);
}

QString Parser::limitOf(const SelectCore &core, const QString &order) const {
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
}

// Members joined by UNION. SQLite's UNION would compare text in the collation of the first member's columns, so
// the members up to the last UNION are joined by UNION ALL and grouped by every result column by position, as
// DISTINCT is; the members after it follow by UNION ALL. When the number of result columns is unknown (a * over a
// subquery), UNION stays as it is.
QString Parser::emitUnion(const Select &select) {
    std::vector<QString> parts;
    for (const SelectCore &core : select.cores) {
        const QString part = emitCore(core, false);
        parts.push_back(core.top.isEmpty() ? part
                                           : QStringLiteral("SELECT * FROM (") + part + limitOf(core, {}) + u')');
    }
    int lastUnion = -1;
    for (size_t i = 0; i < select.unionOps.size(); ++i)
        if (select.unionOps[i] == QLatin1String("UNION"))
            lastUnion = int(i);
    const int columns = resultColumns(select.cores.front());
    QString sql;
    if (lastUnion >= 0 && columns > 0) {
        QStringList positions;
        for (int c = 0; c < columns; ++c)
            positions << QString::number(c + 1) + unionTextOrder(select, c);
        QStringList grouped;
        for (int i = 0; i <= lastUnion + 1; ++i)
            grouped << parts[size_t(i)];
        sql = QStringLiteral("SELECT * FROM (") + grouped.join(QStringLiteral(" UNION ALL ")) +
              QStringLiteral(") GROUP BY ") + positions.join(QStringLiteral(", "));
        for (size_t i = size_t(lastUnion) + 2; i < parts.size(); ++i)
            sql += QStringLiteral(" UNION ALL ") + parts[i];
    } else {
        sql = parts.front();
        for (size_t i = 1; i < parts.size(); ++i)
            sql += u' ' + select.unionOps[i - 1] + u' ' + parts[i];
    }
    if (!select.orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + select.orderBy;
    return sql;
}

// The text order for a result column of a union: none when that column holds no letters in any member.
QString Parser::unionTextOrder(const Select &select, int column) const {
    for (const SelectCore &core : select.cores) {
        if (std::any_of(core.items.begin(), core.items.end(),
                        [](const SelectItem &item) { return item.expr.kind == Expr::Kind::Star; }) ||
            column >= int(core.items.size()) || !core.items[size_t(column)].expr.noLetters)
            return textOrder(Expr{});
    }
    return {};
}

QString Parser::subquery() {
    const Select inner = select();
    if (inner.cores.front().hasInto)
        fail();
    return u'(' + emitSelect(inner, false) + u')';
}

}  // namespace db::jet
