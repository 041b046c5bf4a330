#include "db/JetTranslator.h"

#include "db/JetParser.h"

namespace db::jet {

Translation translate(const QString &jetSql, const TranslateOptions &options) {
    return Parser(jetSql).statement(options);
}

QString translateCondition(const QString &jetCondition) { return Parser(jetCondition).conditionOnly(); }

QString translateOrdering(const QString &jetOrdering) { return Parser(jetOrdering).orderingOnly(); }

}  // namespace db::jet

namespace db::jet {

QString singleQuoted(const QString &text) { return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\''; }

QString doubleQuoted(const QString &text) { return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"'; }

}  // namespace db::jet
