// Excel workbooks through libxlsxwriter in constant-memory mode (each row goes to disk as it is written): typed
// cells, a header row on every worksheet, and further worksheets once one is full.
#include "tables/TableExportCursor.h"

#include "db/Error.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace tables {

namespace {

constexpr int kMaxCellBytes = 32767;  // a cell holds at most 32,767 characters

db::Error workbookError(lxw_error error) {
    return db::Error(db::err::FileAccess,
                     QStringLiteral("Path/File access error: ") + QString::fromUtf8(lxw_strerror(error)));
}

// The workbook. close() writes it out; an object that ends without close() (an error, a cancel) frees it without
// writing anything more.
class Workbook {
public:
    Workbook(const QString &path, const QString &tmpDir) : tmpDir_(QFile::encodeName(tmpDir)) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = tmpDir_.data();
        options.use_zip64 = LXW_TRUE;
        book_ = workbook_new_opt(QFile::encodeName(path).constData(), &options);
        if (!book_)
            throw db::Error(db::err::FileAccess, QStringLiteral("Path/File access error"));
        money = format("$#,##0.00");
        date = format("yyyy-mm-dd");
        dateTime = format("yyyy-mm-dd hh:mm:ss");
        header = workbook_add_format(book_);
        format_set_bold(header);
    }
    ~Workbook() {
        if (book_)
            lxw_workbook_free(book_);
    }
    Workbook(const Workbook &) = delete;
    Workbook &operator=(const Workbook &) = delete;

    lxw_worksheet *addSheet(int number) {
        const std::string name = "Sheet" + std::to_string(number);
        lxw_worksheet *sheet = workbook_add_worksheet(book_, name.c_str());
        if (!sheet)
            throw db::Error(db::err::FileAccess, QStringLiteral("Path/File access error"));
        return sheet;
    }
    void close() {
        const lxw_error error = workbook_close(book_);
        book_ = nullptr;
        if (error != LXW_NO_ERROR)
            throw workbookError(error);
    }

    lxw_format *money = nullptr, *date = nullptr, *dateTime = nullptr, *header = nullptr;

private:
    lxw_format *format(const char *numberFormat) {
        lxw_format *f = workbook_add_format(book_);
        format_set_num_format(f, numberFormat);
        return f;
    }

    QByteArray tmpDir_;
    lxw_workbook *book_ = nullptr;
};

void check(lxw_error error) {
    if (error != LXW_NO_ERROR)
        throw workbookError(error);
}

// At most a cell's worth of UTF-8, cut on a character boundary.
void writeText(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t col, const char *text, int size) {
    if (size <= kMaxCellBytes)
        return check(worksheet_write_string(sheet, row, col, text, nullptr));
    int cut = kMaxCellBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    const std::string head(text, std::size_t(cut));
    check(worksheet_write_string(sheet, row, col, head.c_str(), nullptr));
}

// A stored date "YYYY-MM-DD HH:MM:SS" as an Excel date; false for text of another form or a date Excel lacks.
bool writeDate(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t col, const char *text, const Workbook &book) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (std::sscanf(text, "%4d-%2d-%2d %2d:%2d:%2d", &year, &month, &day, &hour, &minute, &second) != 6 ||
        year < 1900 || year > 9999)
        return false;
    lxw_datetime when{year, month, day, hour, minute, double(second)};
    const bool midnight = hour == 0 && minute == 0 && second == 0;
    check(worksheet_write_datetime(sheet, row, col, &when, midnight ? book.date : book.dateTime));
    return true;
}

void writeCell(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t col, sqlite3_stmt *statement, const ExportColumn &c,
               const Workbook &book) {
    const int column = c.column;
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL: return;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: {
        const double value = sqlite3_column_double(statement, column);
        if (c.type == db::ColumnType::Boolean)
            return check(worksheet_write_boolean(sheet, row, col, value != 0, nullptr));
        return check(worksheet_write_number(sheet, row, col, value,
                                            c.type == db::ColumnType::Currency ? book.money : nullptr));
    }
    case SQLITE_TEXT: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
        if (c.type == db::ColumnType::DateTime && writeDate(sheet, row, col, text, book))
            return;
        return writeText(sheet, row, col, text, sqlite3_column_bytes(statement, column));
    }
    default: {  // binary data as its hex digits, as the command line shows it
        const QByteArray hex = QByteArray(static_cast<const char *>(sqlite3_column_blob(statement, column)),
                                          sqlite3_column_bytes(statement, column))
                                   .toHex();
        writeText(sheet, row, col, hex.constData(), int(hex.size()));
    }
    }
}

lxw_worksheet *startSheet(Workbook &book, int number, const std::vector<ExportColumn> &columns) {
    lxw_worksheet *sheet = book.addSheet(number);
    for (std::size_t i = 0; i < columns.size(); ++i)
        check(worksheet_write_string(sheet, 0, lxw_col_t(i), columns[i].name.toUtf8().constData(), book.header));
    return sheet;
}

}  // namespace

int writeXlsx(ExportCursor &cursor, const QString &path, qint64 sheetRows) {
    const qint64 perSheet = std::max<qint64>(2, std::min(sheetRows, kXlsxSheetRows));
    Workbook book(path, QFileInfo(path).absolutePath());
    const std::vector<ExportColumn> &columns = cursor.columns();
    int sheets = 1;
    lxw_worksheet *sheet = startSheet(book, sheets, columns);
    qint64 row = 1;
    sqlite3_stmt *statement = cursor.statement();
    while (cursor.next()) {
        if (row == perSheet) {
            sheet = startSheet(book, ++sheets, columns);
            row = 1;
        }
        for (std::size_t i = 0; i < columns.size(); ++i)
            writeCell(sheet, lxw_row_t(row), lxw_col_t(i), statement, columns[i], book);
        ++row;
    }
    if (!cursor.cancelled())
        book.close();
    return sheets;
}

}  // namespace tables
