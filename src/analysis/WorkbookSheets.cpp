#include "analysis/WorkbookSheets.h"

#include "analysis/PivotSheet.h"
#include "db/Error.h"
#include "summary/Money.h"

#include <algorithm>
#include <vector>

namespace analysis {

using tables::XlsxBook;
using tables::checkXlsx;
using tables::writeXlsxText;
using tables::writeXlsxValue;

namespace {

constexpr qint64 kReportMs = 100;
constexpr double kDataColumnWidth = 14;
constexpr double kPivotColumnWidth = 14;

double dollars(qint64 units) { return double(units) / double(summary::kMoneyUnitsPerDollar); }

// One data set cell; money (and any number of a Currency column) in the money format.
void writeDataCell(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t col, const DataCell &cell, bool currency,
                   const std::vector<QByteArray> &texts, const XlsxBook &book) {
    lxw_format *number = currency ? book.money : nullptr;
    switch (cell.kind) {
    case DataCell::Kind::Null: return;
    case DataCell::Kind::Integer: return checkXlsx(worksheet_write_number(sheet, row, col, double(cell.bits), number));
    case DataCell::Kind::Money:
        return checkXlsx(worksheet_write_number(sheet, row, col, dollars(cell.bits), book.money));
    case DataCell::Kind::Real: return checkXlsx(worksheet_write_number(sheet, row, col, cell.real(), number));
    case DataCell::Kind::Text: return writeXlsxText(sheet, row, col, texts[std::size_t(cell.bits)]);
    }
}

lxw_worksheet *startDataSheet(XlsxBook &book, int index) {
    lxw_worksheet *sheet = book.addSheet(dataSheetName(index));
    const QStringList &names = dataSetColumnNames();
    for (int c = 0; c < names.size(); ++c)
        writeXlsxText(sheet, 0, lxw_col_t(c), names[c].toUtf8(), book.header);
    checkXlsx(worksheet_set_column(sheet, 0, kDataSetColumns - 1, kDataColumnWidth, nullptr));
    worksheet_freeze_panes(sheet, 1, 0);
    return sheet;
}

// The eight header rows of the pivot columns first .. last - 1, column A holding the labels.
void writePivotHeader(lxw_worksheet *sheet, const PivotTable &pivot, int first, int last, const XlsxBook &book) {
    for (int row = 0; row < kPivotHeaderRows; ++row) {
        writeXlsxValue(sheet, lxw_row_t(row), 0, pivotSheetValue(pivot, row, 0), book.header);
        if (row == 0 || row == kPivotHeaderRows - 1)
            continue;  // the caption and the "Round" row have nothing beside the label
        for (int c = first; c < last; ++c)
            writeXlsxValue(sheet, lxw_row_t(row), lxw_col_t(c - first + 1), pivotSheetValue(pivot, row, c + 1));
    }
}

// One round's sums in the pivot columns first .. last - 1, from the row's sparse cells.
void writePivotRow(lxw_worksheet *sheet, lxw_row_t sheetRow, const PivotTable &pivot, int row, int first, int last,
                   const XlsxBook &book) {
    checkXlsx(worksheet_write_number(sheet, sheetRow, 0, double(pivot.rounds[std::size_t(row)]), book.header));
    const auto begin = pivot.cellColumn.begin() + pivot.rowStart[std::size_t(row)];
    const auto end = pivot.cellColumn.begin() + pivot.rowStart[std::size_t(row) + 1];
    for (auto it = std::lower_bound(begin, end, first); it != end && *it < last; ++it) {
        const qint64 sum = pivot.cellSum[std::size_t(it - pivot.cellColumn.begin())];
        checkXlsx(worksheet_write_number(sheet, sheetRow, lxw_col_t(*it - first + 1), dollars(sum), book.money));
    }
}

}  // namespace

int dataSheetCount(const DataSet &data, const SheetLimits &limits) {
    const qint64 perSheet = limits.rows - 1;
    return int(std::max<qint64>(1, (data.rowCount() + perSheet - 1) / perSheet));
}

int pivotSheetCount(const PivotTable &pivot, const SheetLimits &limits) {
    const int perSheet = limits.columns - 1;
    return std::max(1, (pivot.columnCount() + perSheet - 1) / perSheet);
}

WriteProgress::WriteProgress(const std::function<bool(qint64, qint64)> &callback, qint64 total)
    : callback_(callback), total_(total) {
    sinceReport_.start();
    report();
}

bool WriteProgress::step(qint64 rows) {
    done_ += rows;
    if (callback_ && !cancelled_ && (done_ >= total_ || sinceReport_.hasExpired(kReportMs)))
        report();
    return !cancelled_;
}

bool WriteProgress::report() {
    if (callback_ && !callback_(std::min(done_, total_), total_))
        cancelled_ = true;
    sinceReport_.restart();
    return !cancelled_;
}

bool writeDataSheets(XlsxBook &book, const DataSet &data, const SheetLimits &limits, WriteProgress &progress) {
    std::vector<QByteArray> texts;
    texts.reserve(std::size_t(data.texts.size()));
    for (const QString &text : data.texts)
        texts.push_back(text.toUtf8());
    std::array<bool, kDataSetColumns> currency{};
    for (int c = 0; c < kDataSetColumns; ++c)
        currency[std::size_t(c)] = data.types[std::size_t(c)] == db::ColumnType::Currency;

    const qint64 perSheet = limits.rows - 1;
    lxw_worksheet *sheet = nullptr;
    for (int row = 0; row < data.rowCount(); ++row) {
        if (row % perSheet == 0)
            sheet = startDataSheet(book, int(row / perSheet));
        const auto sheetRow = lxw_row_t(row % perSheet + 1);
        for (int c = 0; c < kDataSetColumns; ++c)
            writeDataCell(sheet, sheetRow, lxw_col_t(c), data.cell(row, c), currency[std::size_t(c)], texts, book);
        if (!progress.step())
            return false;
    }
    if (!sheet)
        startDataSheet(book, 0);  // an empty data set still has its sheet with the column names
    return true;
}

bool writePivotSheets(XlsxBook &book, const PivotTable &pivot, const SheetLimits &limits, WriteProgress &progress) {
    if (kPivotHeaderRows + qint64(pivot.rowCount()) > kSheetRows)
        throw db::Error(db::err::FileAccess, QStringLiteral("Path/File access error: the pivot has more rounds "
                                                            "than a worksheet has rows"));
    const int perSheet = limits.columns - 1;
    const int sheets = pivotSheetCount(pivot, limits);
    for (int index = 0; index < sheets; ++index) {
        const int first = index * perSheet;
        const int last = std::min(pivot.columnCount(), first + perSheet);
        lxw_worksheet *sheet = book.addSheet(pivotSheetName(index));
        if (index == 0)
            worksheet_activate(sheet);  // the file opens on the pivot
        if (last > first)
            checkXlsx(worksheet_set_column(sheet, 1, lxw_col_t(last - first), kPivotColumnWidth, nullptr));
        worksheet_freeze_panes(sheet, kPivotHeaderRows, 1);
        writePivotHeader(sheet, pivot, first, last, book);
        if (!progress.step(kPivotHeaderRows))
            return false;
        for (int row = 0; row < pivot.rowCount(); ++row) {
            writePivotRow(sheet, lxw_row_t(kPivotHeaderRows + row), pivot, row, first, last, book);
            if (!progress.step())
                return false;
        }
    }
    return true;
}

}  // namespace analysis
