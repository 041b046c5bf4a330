// The value of a filter row as the statement compares it: a number, a text, Null, or a date, read from what the
// user typed or picked. Values are typed as the grid shows them (grid/CellText.h): a date in the user's locale,
// a currency amount with the locale's separators and a dollar sign. Told the columns' types, operandOf() turns
// such a value into the stored one (dates are stored as ISO text, amounts as plain numbers); without types every
// value is taken as typed.
//
// Pure functions and value types; safe from any thread.
#pragma once

#include "common/ColumnType.h"

#include <QHash>
#include <QLocale>
#include <QString>

#include <vector>

namespace db {
struct Field;
}

namespace tables {

// The columns of the table the filter applies to, and the locale its grid shows values in.
class ColumnTypes {
public:
    ColumnTypes() = default;
    ColumnTypes(const std::vector<db::Field> &fields, const QLocale &locale);

    // Unknown for a column not listed.
    db::ColumnType typeOf(const QString &column) const;
    const QLocale &locale() const { return locale_; }

private:
    QHash<QString, db::ColumnType> types_;  // by case-folded name
    QLocale locale_;
};

struct Operand {
    enum class Kind { Number, Text, Null, Date };
    Kind kind = Kind::Text;
    QString text;   // Number: as the statement writes it; Text: the value itself, unquoted; Date: "YYYY-MM-DD[ hh:mm:ss]"
    QString until;  // Date: the first moment after the span the typed text covers ("8/24/06" covers the day, "8/24/06
                    // 10:15 AM" the minute); empty when the text names one exact moment
};

// Text the engine reads as a plain number: an optional sign, digits with at most one decimal point, an optional
// exponent. Blanks around it are not part of it.
bool isNumericText(const QString &text);

// The operand of a filter row. The column "Tavren Acct" is always compared as text (its digits have leading
// zeros); a column known to hold text likewise. nullChoiceText() is Null; True and False of a Yes/No column are
// -1 and 0. types may be null: values as typed.
Operand operandOf(const QString &column, const QString &value, const ColumnTypes *types);

}  // namespace tables
