#include "analysis/RowOrder.h"

#include "db/TextCollation.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace analysis {

namespace {

// Missing values, numbers, texts: the engine's order of kinds.
int kindOrder(const DataCell &cell) {
    switch (cell.kind) {
    case DataCell::Kind::Null: return 0;
    case DataCell::Kind::Text: return 2;
    default: return 1;
    }
}

long double numberOf(const DataCell &cell) {
    if (cell.kind == DataCell::Kind::Real)
        return static_cast<long double>(cell.real());
    if (cell.kind == DataCell::Kind::Money)
        return static_cast<long double>(cell.bits) / 10000.0L;
    return static_cast<long double>(cell.integer());
}

// The rank of each text of the data set in the engine's text order (texts it holds equal share a rank).
std::vector<int> textRanks(const DataSet &data) {
    std::vector<std::string> utf8;
    utf8.reserve(std::size_t(data.texts.size()));
    for (const QString &text : data.texts)
        utf8.push_back(text.toStdString());
    std::vector<int> order(utf8.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return db::compareText(utf8[std::size_t(a)], utf8[std::size_t(b)]) < 0; });
    std::vector<int> rank(utf8.size());
    int current = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && db::compareText(utf8[std::size_t(order[i - 1])], utf8[std::size_t(order[i])]) != 0)
            ++current;
        rank[std::size_t(order[i])] = current;
    }
    return rank;
}

}  // namespace

std::vector<int> rowsOrderedBy(const DataSet &data, int column) {
    std::vector<int> rows(std::size_t(data.rowCount()));
    std::iota(rows.begin(), rows.end(), 0);
    bool anyText = false;
    for (const int row : rows)
        anyText = anyText || data.cell(row, column).kind == DataCell::Kind::Text;
    const std::vector<int> ranks = anyText ? textRanks(data) : std::vector<int>();
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const DataCell &x = data.cell(a, column), &y = data.cell(b, column);
        if (kindOrder(x) != kindOrder(y))
            return kindOrder(x) < kindOrder(y);
        if (x.kind == DataCell::Kind::Text)
            return ranks[std::size_t(x.bits)] < ranks[std::size_t(y.bits)];
        if (x.kind == DataCell::Kind::Null)
            return false;
        if (x.kind == DataCell::Kind::Integer && y.kind == DataCell::Kind::Integer)
            return x.integer() < y.integer();
        return numberOf(x) < numberOf(y);
    });
    return rows;
}

void reorderRows(DataSet &data, const std::vector<int> &order) {
    std::vector<DataCell> cells;
    cells.reserve(data.cells.size());
    for (const int row : order) {
        const auto first = data.cells.begin() + std::ptrdiff_t(row) * kDataSetColumns;
        cells.insert(cells.end(), first, first + kDataSetColumns);
    }
    data.cells = std::move(cells);
}

}  // namespace analysis
