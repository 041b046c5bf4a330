#include "grid/ColumnWidths.h"

#include "grid/CellText.h"

#include <QDateTime>

#include <algorithm>

namespace grid {

QString widestNumberText(const db::Field &field, const QLocale &locale) {
    using db::ColumnType;
    switch (field.type) {
    case ColumnType::Boolean: return cellText(0, field.type, locale);  // "False"
    case ColumnType::Byte: return QStringLiteral("255");
    case ColumnType::Integer: return QStringLiteral("-32768");
    case ColumnType::Long: return QStringLiteral("-99999999");
    case ColumnType::Currency: return cellText(-9999999999.99, field.type, locale);
    case ColumnType::Single:
    case ColumnType::Double:
    case ColumnType::Decimal: return cellText(-123456.789, field.type, locale);
    case ColumnType::DateTime:
        return cellText(QStringLiteral("2028-12-28 22:58:58"), field.type, locale);
    default: return {};
    }
}

int typeTextWidth(const db::Field &field, const QFontMetrics &metrics, const QLocale &locale) {
    using db::ColumnType;
    const int chars = metrics.averageCharWidth();
    switch (field.type) {
    case ColumnType::Text: return chars * std::clamp(field.textLength, 1, kMaxTextChars);
    case ColumnType::Memo: return chars * kMaxTextChars;
    case ColumnType::Guid: return metrics.horizontalAdvance(QStringLiteral("{00000000-0000-0000-0000-000000000000}"));
    case ColumnType::Binary:
    case ColumnType::LongBinary: return chars * 16;
    case ColumnType::Unknown: return 0;
    default: return metrics.horizontalAdvance(widestNumberText(field, locale));
    }
}

}  // namespace grid
