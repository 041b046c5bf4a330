#include "cli/TsvWriter.h"

#include "db/Recordset.h"
#include "db/ValueText.h"

#include <QStringList>

namespace cli {

QString tsvField(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case 0: out += QStringLiteral("\\0"); break;
        default: out += c;
        }
    }
    return out;
}

void writeTsv(QTextStream &out, db::Recordset &rows) {
    QStringList fields;
    for (int i = 0; i < rows.fieldCount(); ++i)
        fields << tsvField(rows.field(i).name);
    out << fields.join(u'\t') << '\n';
    for (; !rows.eof(); rows.moveNext()) {
        fields.clear();
        for (int i = 0; i < rows.fieldCount(); ++i)
            fields << tsvField(db::plainText(rows.value(i), rows.field(i).type));
        out << fields.join(u'\t') << '\n';
    }
}

}  // namespace cli
