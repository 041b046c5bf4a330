#include "analysis/WorkbookReadBack.h"

#include "tables/ExportTestSupport.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>

namespace workbooktest {

using analysis::DataCell;

namespace {

// Each sheet as [title, active, rows]; strings with the _xHHHH_ escapes undone as a spreadsheet program does.
const char *kReadScript = R"(
import json, re, sys
try:
    import openpyxl
except ImportError:
    sys.exit(3)
book = openpyxl.load_workbook(sys.argv[1], read_only=True)
active = book.active.title
def cell(c):
    v = c.value
    if isinstance(v, str):
        return re.sub('_x([0-9A-Fa-f]{4})_', lambda m: chr(int(m.group(1), 16)), v)
    if isinstance(v, (int, float)) and not isinstance(v, bool) and c.number_format == '$#,##0.00':
        return {'money': v}
    return v
def row(cells):
    out = [cell(c) for c in cells]
    while out and out[-1] is None:
        out.pop()
    return out
print(json.dumps([[s.title, s.title == active, [row(r) for r in s.iter_rows()]] for s in book.worksheets]))
)";

DataCell cellOf(const QVariant &value, bool money, QStringList &texts) {
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QString) {
        texts << value.toString();
        return {DataCell::Kind::Text, texts.size() - 1};
    }
    return {money ? DataCell::Kind::Money : DataCell::Kind::Integer, value.toLongLong()};
}

}  // namespace

analysis::DataSet dataSet(const std::vector<std::vector<QVariant>> &rows) {
    analysis::DataSet data;
    for (const auto &row : rows)
        for (int c = 0; c < analysis::kDataSetColumns; ++c)
            data.cells.push_back(cellOf(row[std::size_t(c)], c >= analysis::GrossAmountColumn, data.texts));
    data.types = {db::ColumnType::Long, db::ColumnType::Long,     db::ColumnType::Text,    db::ColumnType::Text,
                  db::ColumnType::Text, db::ColumnType::Long,     db::ColumnType::Text,    db::ColumnType::Text,
                  db::ColumnType::Long, db::ColumnType::Currency, db::ColumnType::Currency};
    return data;
}

analysis::PivotTable pivot(bool gross, const std::vector<qint64> &rounds, const std::vector<PivotColumn> &columns,
                           const std::vector<std::vector<std::pair<int, qint64>>> &sums) {
    analysis::PivotTable table;
    table.gross = gross;
    table.rounds = rounds;
    for (const PivotColumn &column : columns) {
        std::array<DataCell, analysis::kColumnFields> items{};
        for (int f = 0; f < analysis::kColumnFields; ++f)
            items[std::size_t(f)] = cellOf(column[std::size_t(f)], false, table.texts);
        table.columns.push_back(items);
    }
    table.rowStart.push_back(0);
    for (const auto &row : sums) {
        for (const auto &[column, sum] : row) {
            table.cellColumn.push_back(column);
            table.cellSum.push_back(sum);
        }
        table.rowStart.push_back(qint64(table.cellColumn.size()));
    }
    return table;
}

QJsonValue Sheet::cell(int row, int column) const {
    if (row < 0 || std::size_t(row) >= rows.size() || column < 0 || std::size_t(column) >= rows[row].size())
        return QJsonValue::Null;
    return rows[std::size_t(row)][std::size_t(column)];
}

std::optional<std::vector<Sheet>> readWorkbook(const QString &path) {
    const auto json = exporttest::runPython(QString::fromUtf8(kReadScript), {path});
    if (!json)
        return std::nullopt;
    std::vector<Sheet> sheets;
    for (const QJsonValue &entry : *json) {
        const QJsonArray parts = entry.toArray();
        Sheet sheet{parts[0].toString(), parts[1].toBool(), {}};
        for (const QJsonValue &row : parts[2].toArray()) {
            std::vector<QJsonValue> cells;
            for (const QJsonValue &value : row.toArray())
                cells.push_back(value);
            sheet.rows.push_back(std::move(cells));
        }
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

std::optional<qint64> moneyCents(const QJsonValue &cell) {
    if (!cell.isObject() || !cell.toObject().contains(QLatin1String("money")))
        return std::nullopt;
    return qint64(std::llround(cell.toObject().value(QLatin1String("money")).toDouble() * 100));
}

}  // namespace workbooktest
