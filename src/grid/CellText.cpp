#include "grid/CellText.h"

#include "db/ValueText.h"
#include "db/VbFormat.h"

namespace grid {

namespace {

// VB's Format writes US separators; the grid shows the locale's.
QString localized(const QString &us, const QLocale &locale) {
    QString out;
    out.reserve(us.size() + 4);
    for (const QChar c : us) {
        if (c == u',')
            out += locale.groupSeparator();
        else if (c == u'.')
            out += locale.decimalPoint();
        else
            out += c;
    }
    return out;
}

}  // namespace

QString cellText(const QVariant &value, db::ColumnType type, const QLocale &locale) {
    if (type == db::ColumnType::Currency && !value.isNull()) {
        bool number = false;
        value.toDouble(&number);  // text too: an amount may come as its exact decimal text
        if (number)
            return localized(db::vbFormat(value, QStringLiteral("#,##0.00")), locale);
    }
    return db::displayText(value, type, locale);
}

bool isNumberCell(db::ColumnType type, const QVariant &value) {
    if (type == db::ColumnType::Unknown)
        return value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Double ||
               value.typeId() == QMetaType::Int;
    return db::isNumericType(type);
}

}  // namespace grid
