// A libxlsxwriter workbook in constant-memory mode (each row goes to a temporary file of its sheet as it is
// written), with the formats the exported tables and the analysis sheets use and every library result checked.
//
// Ownership: the object owns the library's workbook; close() writes the file, and an object that ends without
// close() (an error, a cancel) frees the workbook without writing anything more. One thread at a time.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <xlsxwriter.h>

namespace tables {

// Raises db::Error 75 "Path/File access error: " + the library's text for a result other than success.
void checkXlsx(lxw_error error);

class XlsxBook {
public:
    // path: the file to write at close(); tmpDir: where the sheets' temporary files go.
    XlsxBook(const QString &path, const QString &tmpDir);
    ~XlsxBook();
    XlsxBook(const XlsxBook &) = delete;
    XlsxBook &operator=(const XlsxBook &) = delete;

    // A new sheet at the end, owned by the workbook.
    lxw_worksheet *addSheet(const QString &name);
    void close();

    lxw_format *money = nullptr;     // "$#,##0.00"
    lxw_format *date = nullptr;      // "yyyy-mm-dd"
    lxw_format *dateTime = nullptr;  // "yyyy-mm-dd hh:mm:ss"
    lxw_format *header = nullptr;    // bold

private:
    lxw_format *numberFormat(const char *format);

    QByteArray tmpDir_;
    lxw_workbook *book_ = nullptr;
};

// Text cut to what a cell holds (32,767 characters), on a character boundary.
void writeXlsxText(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t col, const QByteArray &utf8,
                   lxw_format *format = nullptr);
// A plain value: text as text, numbers as numbers (in the given format), nothing for a null value.
void writeXlsxValue(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t col, const QVariant &value,
                    lxw_format *format = nullptr);

}  // namespace tables
