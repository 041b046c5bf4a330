// Excel workbooks through libxlsxwriter in constant-memory mode (each row goes to disk as it is written): typed
// cells, a header row on every worksheet, and further worksheets once one is full.
#include "tables/TableExportCursor.h"

#include "db/Error.h"
#include "tables/XlsxBook.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>

namespace tables {

namespace {

// A stored date "YYYY-MM-DD HH:MM:SS" as an Excel date; false for text of another form or a date Excel lacks.
bool writeDate(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t col, const char *text, const XlsxBook &book) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (std::sscanf(text, "%4d-%2d-%2d %2d:%2d:%2d", &year, &month, &day, &hour, &minute, &second) != 6 ||
        year < 1900 || year > 9999)
        return false;
    lxw_datetime when{year, month, day, hour, minute, double(second)};
    const bool midnight = hour == 0 && minute == 0 && second == 0;
    checkXlsx(worksheet_write_datetime(sheet, row, col, &when, midnight ? book.date : book.dateTime));
    return true;
}

void writeCell(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t col, sqlite3_stmt *statement, const ExportColumn &c,
               const XlsxBook &book) {
    const int column = c.column;
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL: return;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: {
        const double value = sqlite3_column_double(statement, column);
        if (c.type == db::ColumnType::Boolean)
            return checkXlsx(worksheet_write_boolean(sheet, row, col, value != 0, nullptr));
        return checkXlsx(worksheet_write_number(sheet, row, col, value,
                                            c.type == db::ColumnType::Currency ? book.money : nullptr));
    }
    case SQLITE_TEXT: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
        if (c.type == db::ColumnType::DateTime && writeDate(sheet, row, col, text, book))
            return;
        return writeXlsxText(sheet, row, col, QByteArray::fromRawData(text, sqlite3_column_bytes(statement, column)));
    }
    default: {  // binary data as its hex digits, as the command line shows it
        const QByteArray hex = QByteArray(static_cast<const char *>(sqlite3_column_blob(statement, column)),
                                          sqlite3_column_bytes(statement, column))
                                   .toHex();
        writeXlsxText(sheet, row, col, hex);
    }
    }
}

lxw_worksheet *startSheet(XlsxBook &book, int number, const std::vector<ExportColumn> &columns) {
    lxw_worksheet *sheet = book.addSheet(QStringLiteral("Sheet%1").arg(number));
    for (std::size_t i = 0; i < columns.size(); ++i)
        checkXlsx(worksheet_write_string(sheet, 0, lxw_col_t(i), columns[i].name.toUtf8().constData(), book.header));
    return sheet;
}

}  // namespace

int writeXlsx(ExportCursor &cursor, const QString &path, qint64 sheetRows) {
    const qint64 perSheet = std::max<qint64>(2, std::min(sheetRows, kXlsxSheetRows));
    XlsxBook book(path, QFileInfo(path).absolutePath());
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
