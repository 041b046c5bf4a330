#include "db/JetTranslator.h"

#include "db/JetParser.h"

namespace db::jet {

Translation translate(const QString &jetSql, const TranslateOptions &options) {
    return Parser(jetSql, options.columns.get()).statement(options);
}

QString translateCondition(const QString &jetCondition, const ColumnCatalog *columns) {
    return Parser(jetCondition, columns).conditionOnly();
}

QString translateOrdering(const QString &jetOrdering, const ColumnCatalog *columns) {
    return Parser(jetOrdering, columns).orderingOnly();
}

}  // namespace db::jet

namespace db::jet {

QString singleQuoted(const QString &text) { return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\''; }

QString doubleQuoted(const QString &text) { return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"'; }

}  // namespace db::jet
