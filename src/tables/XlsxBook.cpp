#include "tables/XlsxBook.h"

#include "db/Error.h"

#include <QFile>

namespace tables {

namespace {

constexpr int kMaxCellBytes = 32767;  // a cell holds at most 32,767 characters

db::Error fileError(const QString &detail = {}) {
    return db::Error(db::err::FileAccess, detail.isEmpty() ? QStringLiteral("Path/File access error")
                                                           : QStringLiteral("Path/File access error: ") + detail);
}

}  // namespace

void checkXlsx(lxw_error error) {
    if (error != LXW_NO_ERROR)
        throw fileError(QString::fromUtf8(lxw_strerror(error)));
}

XlsxBook::XlsxBook(const QString &path, const QString &tmpDir) : tmpDir_(QFile::encodeName(tmpDir)) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = tmpDir_.data();
    options.use_zip64 = LXW_TRUE;
    book_ = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!book_)
        throw fileError();
    money = numberFormat("$#,##0.00");
    date = numberFormat("yyyy-mm-dd");
    dateTime = numberFormat("yyyy-mm-dd hh:mm:ss");
    header = workbook_add_format(book_);
    if (!header)
        throw fileError();
    format_set_bold(header);
}

lxw_format *XlsxBook::numberFormat(const char *format) {
    lxw_format *added = workbook_add_format(book_);
    if (!added)
        throw fileError();
    format_set_num_format(added, format);
    return added;
}

XlsxBook::~XlsxBook() {
    if (book_)
        lxw_workbook_free(book_);
}

lxw_worksheet *XlsxBook::addSheet(const QString &name) {
    lxw_worksheet *sheet = workbook_add_worksheet(book_, name.toUtf8().constData());
    if (!sheet)
        throw fileError();
    return sheet;
}

void XlsxBook::close() {
    const lxw_error error = workbook_close(book_);  // frees the workbook whatever the result
    book_ = nullptr;
    checkXlsx(error);
}

void writeXlsxText(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t col, const QByteArray &utf8, lxw_format *format) {
    if (utf8.size() <= kMaxCellBytes)
        return checkXlsx(worksheet_write_string(sheet, row, col, utf8.constData(), format));
    int cut = kMaxCellBytes;
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80)
        --cut;
    checkXlsx(worksheet_write_string(sheet, row, col, utf8.left(cut).constData(), format));
}

void writeXlsxValue(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t col, const QVariant &value, lxw_format *format) {
    switch (value.typeId()) {
    case QMetaType::UnknownType: return;
    case QMetaType::QString: return writeXlsxText(sheet, row, col, value.toString().toUtf8(), format);
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double: return checkXlsx(worksheet_write_number(sheet, row, col, value.toDouble(), format));
    default:
        if (value.isNull())
            return;
        writeXlsxText(sheet, row, col, value.toString().toUtf8(), format);
    }
}

}  // namespace tables
