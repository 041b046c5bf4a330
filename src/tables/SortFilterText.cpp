#include "tables/SortFilterText.h"

#include "db/Error.h"
#include "db/JetTranslator.h"
#include "tables/FilterValue.h"

#include <QStringList>

namespace tables {

namespace {

QString bracketed(const QString &column) { return u'[' + column + u']'; }

QString quoted(const QString &text, TextQuote quote) {
    return quote == TextQuote::Double ? db::jet::doubleQuoted(text) : db::jet::singleQuoted(text);
}

QString nullCondition(const QString &column, const QString &op) {
    if (op == u'=')
        return bracketed(column) + QStringLiteral(" Is Null");
    if (op == QStringLiteral("<>"))
        return bracketed(column) + QStringLiteral(" Is Not Null");
    throw db::Error(db::err::TypeMismatch,
                    QStringLiteral("Null can only be compared with = or <> (column '%1').").arg(column));
}

// A date typed to the day or the minute stands for every moment of it: [from, until).
QString spanCondition(const QString &column, const QString &op, const QString &from, const QString &until) {
    const QString c = bracketed(column) + u' ';
    const QString a = u'#' + from + u'#';
    const QString b = u'#' + until + u'#';
    if (op == u'=')
        return u'(' + c + QStringLiteral(">=") + a + QStringLiteral(" And ") + c + u'<' + b + u')';
    if (op == QStringLiteral("<>"))
        return u'(' + c + u'<' + a + QStringLiteral(" Or ") + c + QStringLiteral(">=") + b + u')';
    if (op == u'>')
        return c + QStringLiteral(">=") + b;
    if (op == QStringLiteral(">="))
        return c + QStringLiteral(">=") + a;
    if (op == u'<')
        return c + u'<' + a;
    if (op == QStringLiteral("<="))
        return c + u'<' + b;
    throw db::Error(db::err::SyntaxInExpression, QStringLiteral("Unknown comparison '%1'.").arg(op));
}

QString condition(const FilterRow &row, TextQuote quote, const ColumnTypes *types) {
    const Operand operand = operandOf(row.column, row.value, types);
    switch (operand.kind) {
    case Operand::Kind::Null: return nullCondition(row.column, row.op);
    case Operand::Kind::Number: return bracketed(row.column) + u' ' + row.op + operand.text;
    case Operand::Kind::Text: return bracketed(row.column) + u' ' + row.op + quoted(operand.text, quote);
    case Operand::Kind::Date:
        if (!operand.until.isEmpty())
            return spanCondition(row.column, row.op, operand.text, operand.until);
        return bracketed(row.column) + u' ' + row.op + u'#' + operand.text + u'#';
    }
    return {};
}

}  // namespace

QString sortText(const std::vector<SortColumn> &sort) {
    QStringList items;
    for (const SortColumn &item : sort)
        items << bracketed(item.column) + (item.ascending ? QString() : QStringLiteral(" DESC"));
    return items.join(QStringLiteral(", "));
}

bool rowCounts(const FilterRow &row) { return !row.column.isEmpty() && !row.value.isEmpty(); }

QString conditionsText(const TableChoices &choices, TextQuote quote, const ColumnTypes *types) {
    QString text;
    for (std::size_t k = 0; k < choices.rows.size(); ++k) {
        const FilterRow &row = choices.rows[k];
        if (!rowCounts(row))
            continue;
        if (!text.isEmpty())
            text += u' ' + choices.joints[k - 1] + u' ';
        text += condition(row, quote, types);
    }
    return text;
}

}  // namespace tables
