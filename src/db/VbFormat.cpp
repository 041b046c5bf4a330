// VB's Format: choosing the section and the kind of pattern, named formats, and the C++ entry points.
#include "db/VbFormat.h"

#include "db/Utf8Text.h"
#include "db/VbFormatDetail.h"
#include "db/VbError.h"
#include "db/VbNumbers.h"

#include <QDateTime>

#include <cmath>

namespace db {

namespace vbformat {

namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (utf8::asciiLower(a[i]) != b[i])
            return false;
    }
    return true;
}

bool isNamedDateFormat(std::string_view pattern) {
    for (std::string_view name : {"general date", "long date", "medium date", "short date", "long time",
                                  "medium time", "short time"}) {
        if (equalsNoCase(pattern, name))
            return true;
    }
    return false;
}

// The named number formats that are not patterns.
bool isNamedNumberFormat(std::string_view pattern) {
    for (std::string_view name : {"general number", "yes/no", "true/false", "on/off"}) {
        if (equalsNoCase(pattern, name))
            return true;
    }
    return false;
}

// The pattern of a named number format, or the pattern itself.
std::string_view numberPattern(std::string_view pattern) {
    static constexpr struct {
        std::string_view name;
        std::string_view pattern;
    } kNamed[] = {{"currency", "$#,##0.00;($#,##0.00)"}, {"fixed", "0.00"},       {"standard", "#,##0.00"},
                  {"percent", "0.00%"},                   {"scientific", "0.00E+00"}};
    for (const auto &entry : kNamed) {
        if (equalsNoCase(pattern, entry.name))
            return entry.pattern;
    }
    return pattern;
}

std::string cstrText(const FormatValue &v) {
    switch (v.kind) {
    case FormatValue::Kind::Integer: return std::to_string(v.integer);
    case FormatValue::Kind::Double: return vbDoubleText(v.real);
    case FormatValue::Kind::Boolean: return v.integer != 0 ? "True" : "False";
    case FormatValue::Kind::Text: return std::string(v.text);
    case FormatValue::Kind::Date: return isoText(v.date);
    case FormatValue::Kind::Null: break;
    }
    return {};
}

// The value as a number for a number pattern; empty for text that is neither a number nor a date.
std::optional<DecimalDigits> asNumber(const FormatValue &v) {
    switch (v.kind) {
    case FormatValue::Kind::Integer:
    case FormatValue::Kind::Boolean:
        return DecimalDigits::fromInteger(v.integer);
    case FormatValue::Kind::Double:
        return DecimalDigits::fromDouble(v.real);
    case FormatValue::Kind::Date:
        return DecimalDigits::fromDouble(serialFromDate(v.date));
    case FormatValue::Kind::Text:
        if (auto number = parseVbNumber(v.text))
            return DecimalDigits::fromDouble(*number);
        if (auto date = parseJetDate(v.text))
            return DecimalDigits::fromDouble(serialFromDate(*date));
        break;
    case FormatValue::Kind::Null:
        break;
    }
    return std::nullopt;
}

// The value as a date for a date pattern; empty for text that is neither a date nor a number.
std::optional<JetDateTime> asDate(const FormatValue &v) {
    switch (v.kind) {
    case FormatValue::Kind::Integer:
    case FormatValue::Kind::Boolean:
        return dateFromSerial(static_cast<double>(v.integer));
    case FormatValue::Kind::Double:
        return dateFromSerial(v.real);
    case FormatValue::Kind::Date:
        return v.date;
    case FormatValue::Kind::Text:
        if (auto date = parseJetDate(v.text))
            return date;
        if (auto number = parseVbNumber(v.text))
            return dateFromSerial(*number);
        break;
    case FormatValue::Kind::Null:
        break;
    }
    return std::nullopt;
}

std::optional<std::string> yesNoText(const DecimalDigits &n, std::string_view pattern) {
    static constexpr struct {
        std::string_view name, yes, no;
    } kNamed[] = {{"yes/no", "Yes", "No"}, {"true/false", "True", "False"}, {"on/off", "On", "Off"}};
    for (const auto &entry : kNamed) {
        if (equalsNoCase(pattern, entry.name))
            return std::string(n.isZero() ? entry.no : entry.yes);
    }
    return std::nullopt;
}

// Picks the section for the number's sign (positive; negative; zero) and applies it.
std::string formatNumber(const DecimalDigits &n, std::string_view pattern) {
    const std::vector<std::string_view> sections = splitSections(pattern);
    const auto present = [&](std::size_t i) { return sections.size() > i && !sections[i].empty(); };
    if (n.isZero())
        return formatNumberSection(n, sections[present(2) ? 2 : 0]).text;
    if (n.negative && present(1))
        return formatNumberSection(n, sections[1]).text;
    SectionResult result = formatNumberSection(n, sections[0]);
    if (n.negative && !result.showsZero)
        result.text.insert(0, 1, '-');
    return result.text;
}

}  // namespace

std::size_t takeLiteral(std::string_view pattern, std::size_t pos, std::string *out) {
    if (pattern[pos] == '\\') {
        const std::size_t next = utf8::advance(pattern, pos + 1, 1);
        out->append(pattern.substr(pos + 1, next - pos - 1));
        return next;
    }
    if (pattern[pos] == '"') {
        std::size_t close = pattern.find('"', pos + 1);
        if (close == std::string_view::npos)
            close = pattern.size();
        out->append(pattern.substr(pos + 1, close - pos - 1));
        return close < pattern.size() ? close + 1 : close;
    }
    return pos;
}

std::vector<std::string_view> splitSections(std::string_view pattern) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < pattern.size();) {
        std::string ignored;
        if (const std::size_t next = takeLiteral(pattern, pos, &ignored); next != pos) {
            pos = next;
        } else if (pattern[pos] == ';') {
            sections.push_back(pattern.substr(start, pos - start));
            start = ++pos;
        } else {
            ++pos;
        }
    }
    sections.push_back(pattern.substr(start));
    return sections;
}

std::optional<std::string> format(const FormatValue &value, std::string_view pattern) {
    if (value.kind == FormatValue::Kind::Null) {
        const std::vector<std::string_view> sections = splitSections(pattern);
        if (sections.size() < 4)
            return std::nullopt;
        return formatNumberSection(DecimalDigits{}, sections[3]).text;
    }
    if (pattern.empty())
        return cstrText(value);
    const std::string_view numeric = numberPattern(pattern);
    const bool namedNumber = numeric != pattern || isNamedNumberFormat(pattern);
    if (!namedNumber && (isNamedDateFormat(pattern) || isDatePattern(pattern))) {
        const std::optional<JetDateTime> date = asDate(value);
        return date ? formatDate(*date, pattern) : std::string(value.text);
    }
    const std::optional<DecimalDigits> number = asNumber(value);
    if (!number)
        return std::string(value.text);
    if (value.kind == FormatValue::Kind::Double && !std::isfinite(value.real))
        return vbDoubleText(value.real);
    if (equalsNoCase(pattern, "general number"))
        return value.kind == FormatValue::Kind::Integer ? std::to_string(value.integer)
                                                        : vbDoubleText(number->toDouble());
    if (auto yesNo = yesNoText(*number, pattern))
        return yesNo;
    return formatNumber(*number, numeric);
}

}  // namespace vbformat

namespace {

// A date for Format; an invalid QDate or QDateTime stands for Null.
vbformat::FormatValue dateValue(const QDate &date, int seconds) {
    if (!date.isValid())
        return {};
    if (!inJetRange(date))
        throw vbError(err::Overflow);
    return vbformat::FormatValue::ofDate({date, seconds});
}

}  // namespace

QString vbFormat(const QVariant &value, const QString &pattern) {
    using vbformat::FormatValue;
    FormatValue v;
    QByteArray text;
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        break;
    case QMetaType::Bool:
        v = FormatValue::ofBoolean(value.toBool());
        break;
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::Short:
    case QMetaType::UShort: case QMetaType::Long: case QMetaType::ULong: case QMetaType::Char:
    case QMetaType::SChar: case QMetaType::UChar:
        v = FormatValue::ofInteger(value.toLongLong());
        break;
    case QMetaType::ULongLong: case QMetaType::Double: case QMetaType::Float:
        v = FormatValue::ofDouble(value.toDouble());
        break;
    case QMetaType::QDate:
        v = dateValue(value.toDate(), 0);
        break;
    case QMetaType::QTime:
        v = dateValue(JetDateTime::zeroDay(), value.toTime().msecsSinceStartOfDay() / 1000);
        break;
    case QMetaType::QDateTime:
        v = dateValue(value.toDateTime().date(), value.toDateTime().time().msecsSinceStartOfDay() / 1000);
        break;
    default:
        text = value.toString().toUtf8();
        v = FormatValue::ofText(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
        break;
    }
    const QByteArray utf8Pattern = pattern.toUtf8();
    const auto result = vbformat::format(
        v, std::string_view(utf8Pattern.constData(), static_cast<std::size_t>(utf8Pattern.size())));
    return result ? QString::fromStdString(*result) : QString();
}

QString vbNumberText(double value) { return QString::fromStdString(vbDoubleText(value)); }

}  // namespace db
