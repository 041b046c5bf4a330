// The data set of an analysis: the bids of the range (and selection) with their eleven columns, in the order of
// the analysis's query (by market, or by round). Held compactly: a cell is a 16-byte value, texts are kept once.
//
// Plain data; read from any thread once built.
#pragma once

#include "common/ColumnType.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <bit>
#include <vector>

namespace analysis {

inline constexpr int kDataSetColumns = 11;

// The columns, in query order.
enum DataSetColumn {
    AuctionIdColumn,
    RoundColumn,
    LicenseNameColumn,
    MarketColumn,
    BlockColumn,
    SubmarketColumn,
    MarketNameColumn,
    BidderColumn,
    IncrementsColumn,
    GrossAmountColumn,
    NetAmountColumn,
};

// "Auction ID", "Round", "License Name", "Market", "Block", "Submarket", "Market Name", "Bidder",
// "Increments of Bid", "Gross Bid Amount", "Net Bid Amount".
const QStringList &dataSetColumnNames();

// One cell: Null, a whole number, an amount of money in ten-thousandths of a dollar (summary/Money.h), another
// number, or text (an index into DataSet::texts).
struct DataCell {
    enum class Kind : quint8 { Null, Integer, Money, Real, Text };
    Kind kind = Kind::Null;
    qint64 bits = 0;  // Integer: the value; Money: ten-thousandths; Text: the index; Real: the double's bits

    qint64 integer() const { return bits; }
    double real() const { return std::bit_cast<double>(bits); }
    static DataCell ofReal(double value) { return {Kind::Real, std::bit_cast<qint64>(value)}; }
};

struct DataSet {
    std::vector<DataCell> cells;  // row by row, kDataSetColumns per row
    QStringList texts;            // the texts of Text cells, each once
    QHash<QString, int> textIndex;
    std::array<db::ColumnType, kDataSetColumns> types{};  // the declared types of the query's columns

    int rowCount() const { return int(cells.size() / kDataSetColumns); }
    const DataCell &cell(int row, int column) const { return cells[std::size_t(row) * kDataSetColumns + column]; }
    // The index of a text, added when new.
    int internText(const QString &text);
    // A cell as a plain value: qlonglong, double (money in dollars), QString; a null QVariant for Null.
    QVariant value(const DataCell &cell) const;
    QVariant value(int row, int column) const { return value(cell(row, column)); }
};

}  // namespace analysis
