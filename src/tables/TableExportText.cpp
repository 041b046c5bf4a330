// Tab-delimited text and CSV: the rows gathered in a large buffer and written in big blocks.
#include "tables/TableExportCells.h"
#include "tables/TableExportCursor.h"

#include "db/Error.h"

#include <string>

namespace tables {

namespace {

constexpr std::size_t kBufferBytes = std::size_t(1) << 20;

// Collects output and writes it to the device whenever a block is full; raises 75 when the device refuses.
class BlockWriter {
public:
    explicit BlockWriter(QIODevice &out) : out_(out) { buffer_.reserve(kBufferBytes + 65536); }
    std::string &buffer() { return buffer_; }
    void rowDone() {
        if (buffer_.size() >= kBufferBytes)
            flush();
    }
    void flush() {
        if (!buffer_.empty() && out_.write(buffer_.data(), qint64(buffer_.size())) != qint64(buffer_.size()))
            throw db::Error(db::err::FileAccess, QStringLiteral("Path/File access error: ") + out_.errorString());
        buffer_.clear();
    }

private:
    QIODevice &out_;
    std::string buffer_;
};

void appendName(std::string &out, const QString &name) {
    const QByteArray utf8 = name.toUtf8();
    appendOneLine(out, utf8.constData(), std::size_t(utf8.size()));
}

// RFC 4180: a field holding a comma, a double quote, CR or LF is quoted, its double quotes doubled.
void appendCsvField(std::string &out, std::size_t start) {
    if (out.find_first_of(",\"\r\n", start) == std::string::npos)
        return;
    std::string field = out.substr(start);
    out.resize(start);
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

void writeTabText(ExportCursor &cursor, QIODevice &out, const QLocale &locale) {
    BlockWriter writer(out);
    std::string &buffer = writer.buffer();
    const std::vector<ExportColumn> &columns = cursor.columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        appendName(buffer, columns[i].name);
        if (i + 1 < columns.size())
            buffer += '\t';
    }
    buffer += "\r\n";
    DisplayCells cells(locale);
    sqlite3_stmt *statement = cursor.statement();
    while (cursor.next()) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i > 0)
                buffer += '\t';
            cells.append(buffer, statement, columns[i].column, columns[i].type);
        }
        buffer += "\r\n";
        writer.rowDone();
    }
    writer.flush();
}

void writeCsv(ExportCursor &cursor, QIODevice &out) {
    BlockWriter writer(out);
    std::string &buffer = writer.buffer();
    const std::vector<ExportColumn> &columns = cursor.columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            buffer += ',';
        const std::size_t start = buffer.size();
        const QByteArray utf8 = columns[i].name.toUtf8();
        buffer.append(utf8.constData(), std::size_t(utf8.size()));
        appendCsvField(buffer, start);
    }
    buffer += "\r\n";
    sqlite3_stmt *statement = cursor.statement();
    while (cursor.next()) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i > 0)
                buffer += ',';
            const std::size_t start = buffer.size();
            appendPlain(buffer, statement, columns[i].column, columns[i].type);
            appendCsvField(buffer, start);
        }
        buffer += "\r\n";
        writer.rowDone();
    }
    writer.flush();
}

}  // namespace tables
