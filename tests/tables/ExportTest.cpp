// Export of a shown query to tab-delimited text, CSV and .xlsx, on auction 11 and on a table of awkward values:
// the files hold exactly what the grid shows (text) or what is stored (CSV, .xlsx), and a cancelled or failed
// export leaves the old file alone.
#include "core/DataWindowRules.h"
#include "db/Database.h"
#include "db/Sqlite.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"
#include "tables/ExportTestSupport.h"
#include "tables/TableExport.h"

#include <QJsonObject>

#include <gtest/gtest.h>

using namespace exporttest;

namespace {

class Export : public testsupport::SharedAuction {
protected:
    static void SetUpTestSuite() {
        buildShared(QStringLiteral("auction-11"), 3);
        db::Database database = db::Database::open(auction);
        database.execute(QStringLiteral("CREATE TABLE [Odd Values] ([Name] Text(50), [Amount] Currency, "
                                        "[When] DateTime, [Flag] YesNo, [Ratio] Double)"));
        const QVariant null;
        const std::vector<std::vector<QVariant>> rows = {
            {QStringLiteral("Zoë\tTab"), 2.675, QStringLiteral("2006-08-24 13:45:00"), -1, 1.5},
            {QStringLiteral("Line\r\nbreak, \"quoted\""), qlonglong(-1234567), QStringLiteral("2006-08-29 00:00:00"), 0, 0.1 + 0.2},
            {QStringLiteral("Ærø"), -0.004, null, null, null},
            {null, 123456789.125, QStringLiteral("1899-12-30 00:00:00"), 0, -2.5e-7},
            {QStringLiteral("zero"), qlonglong(0), QStringLiteral("2006-08-24 00:00:00"), -1, 1e20},
            {QStringLiteral("small"), 0.5, QStringLiteral("not a date"), 0, 3.0},
        };
        db::Statement insert(database.handle(), QStringLiteral("INSERT INTO \"Odd Values\" VALUES (?1, ?2, ?3, ?4, ?5)"));
        for (const auto &row : rows) {
            for (int i = 0; i < 5; ++i)
                insert.bind(i + 1, row[std::size_t(i)]);
            insert.step();
            insert.reset();
        }
        database.execute(QStringLiteral("CREATE TABLE [Empty One] ([A] Long, [B] Text(10), [C] Currency)"));
        database.execute(QStringLiteral("CREATE TABLE [Digit] ([N] Long)"));
        for (int n = 0; n < 10; ++n)
            database.execute(QStringLiteral("INSERT INTO [Digit] VALUES (%1)").arg(n));
        database.execute(QStringLiteral("SELECT a.[N] + b.[N] * 10 + c.[N] * 100 + d.[N] * 1000 AS [Id] INTO [Many] "
                                        "FROM [Digit] AS a, [Digit] AS b, [Digit] AS c, [Digit] AS d"));
    }

    QString out(const QString &name = {}) const { return scratch_.path(name); }

    static db::Database database() { return db::Database::open(auction); }

    // What the tab-delimited file must hold: the heading line, then the grid's texts, CR LF after each line.
    static QByteArray expectedText(const QString &jetSql, const QLocale &locale) {
        const db::Database db = database();
        QString text = fieldNames(db, jetSql).join(u'\t') + QStringLiteral("\r\n");
        for (const QStringList &row : shownRows(db, jetSql, locale))
            text += row.join(u'\t') + QStringLiteral("\r\n");
        return text.toUtf8();
    }

    static tables::ExportResult run(const QString &jetSql, const QString &target, tables::ExportOptions options = {}) {
        options.format = tables::exportFormatFor(target);
        return tables::exportQuery(auction, jetSql, target, options);
    }

    testsupport::ScratchDir scratch_;
};

const QString kAllBids = app::dataWindowStatement(QStringLiteral("All Bids"), QStringLiteral("3"), true);
const QString kOdd = QStringLiteral("SELECT * FROM [Odd Values]");

TEST_F(Export, TabTextHasTheHeadingLineThenTheGridsCellTexts) {
    for (const QString &sql : {kAllBids, app::dataWindowStatement(QStringLiteral("Round Statistics"), {}, true), kOdd}) {
        const tables::ExportResult result = run(sql, out(QStringLiteral("t.txt")));
        EXPECT_TRUE(result.completed);
        const QByteArray bytes = fileBytes(out(QStringLiteral("t.txt")));
        EXPECT_EQ(bytes, expectedText(sql, QLocale())) << sql;
        EXPECT_EQ(result.rows, bytes.count("\r\n") - 1);
    }
    // The heading: a tab after every name but the last, which CR LF ends.
    const QByteArray bytes = fileBytes(out(QStringLiteral("t.txt")));
    EXPECT_TRUE(bytes.startsWith("Name\tAmount\tWhen\tFlag\tRatio\r\n"));
}

TEST_F(Export, TabTextIsUtf8WithTabsAndLineBreaksInValuesMadeSpaces) {
    tables::ExportOptions options;
    options.locale = QLocale(QLocale::German, QLocale::Germany);  // other separators than the stored ones
    run(kOdd, out(QStringLiteral("odd.txt")), options);
    const QByteArray bytes = fileBytes(out(QStringLiteral("odd.txt")));
    EXPECT_EQ(bytes, expectedText(kOdd, options.locale));
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 8);  // heading, six rows, nothing after the last CR LF
    for (const QByteArray &line : lines.mid(0, 7))
        EXPECT_EQ(line.count('\t'), 4) << line.toStdString();
    EXPECT_TRUE(lines[1].startsWith("Zo\xC3\xAB Tab\t2,68\t"));
    EXPECT_TRUE(lines[2].startsWith("Line  break, \"quoted\"\t-1.234.567,00\t"));
    EXPECT_TRUE(lines[3].startsWith("\xC3\x86r\xC3\xB8\t")) << lines[3].toStdString();
    EXPECT_TRUE(lines[4].startsWith("\t123.456.789,13\t"));
}

TEST_F(Export, AnEmptyTableWritesTheHeadingLineAlone) {
    const tables::ExportResult result = run(QStringLiteral("SELECT * FROM [Empty One]"), out(QStringLiteral("e.txt")));
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(result.rows, 0);
    EXPECT_EQ(fileBytes(out(QStringLiteral("e.txt"))), QByteArray("A\tB\tC\r\n"));
}

const char *kCsvScript = R"(
import csv, json, sys
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    print(json.dumps(list(csv.reader(f))))
)";

TEST_F(Export, CsvReadsBackAsTheStoredValues) {
    for (const QString &sql : {kAllBids, kOdd}) {
        run(sql, out(QStringLiteral("c.csv")));
        const db::Database db = database();
        std::vector<QStringList> expected{fieldNames(db, sql)};
        for (const QStringList &row : plainRows(db, sql))
            expected.push_back(row);
        std::vector<QStringList> read;
        if (const auto json = runPython(QString::fromUtf8(kCsvScript), {out(QStringLiteral("c.csv"))})) {
            for (const auto &record : *json)
                read.push_back(record.toVariant().toStringList());
        } else {
            read = readCsv(fileBytes(out(QStringLiteral("c.csv"))));
        }
        EXPECT_EQ(read, expected) << sql;
    }
    const QByteArray bytes = fileBytes(out(QStringLiteral("c.csv")));
    EXPECT_TRUE(bytes.contains("\"Line\r\nbreak, \"\"quoted\"\"\",-1234567,2006-08-29 00:00:00,0,0.3\r\n"));
    EXPECT_TRUE(bytes.contains("\xC3\x86r\xC3\xB8,-0.004,,,\r\n"));
}

// Each sheet as [title, rows]; a cell as JSON: numbers, booleans, dates as ISO text, text, null.
const char *kXlsxScript = R"(
import json, sys, datetime, re
try:
    import openpyxl
except ImportError:
    sys.exit(3)
book = openpyxl.load_workbook(sys.argv[1], read_only=True)
def cell(c):
    v = c.value
    if isinstance(v, str):  # characters the format escapes as _xHHHH_, as a spreadsheet program reads them
        v = re.sub('_x([0-9A-Fa-f]{4})_', lambda m: chr(int(m.group(1), 16)), v)
    if isinstance(v, datetime.datetime):
        return {'date': v.isoformat(), 'format': c.number_format}
    if isinstance(v, (int, float)) and not isinstance(v, bool) and c.number_format != 'General':
        return {'number': v, 'format': c.number_format}
    return v
print(json.dumps([[s.title, [[cell(c) for c in row] for row in s.iter_rows()]] for s in book.worksheets]))
)";

// The same from the workbook's XML with Python's standard library, where openpyxl is missing: inline strings,
// numbers, booleans, and numbers whose style has a date format as dates.
const char *kXlsxXmlScript = R"(
import json, sys, zipfile, re, datetime
import xml.etree.ElementTree as ET
ns = {'m': 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'}
z = zipfile.ZipFile(sys.argv[1])
styles = ET.fromstring(z.read('xl/styles.xml'))
codes = {int(f.get('numFmtId')): f.get('formatCode') for f in styles.findall('m:numFmts/m:numFmt', ns)}
formats = [codes.get(int(x.get('numFmtId', 0)), 'General') for x in styles.findall('m:cellXfs/m:xf', ns)]
book = ET.fromstring(z.read('xl/workbook.xml'))
def column(ref):
    n = 0
    for ch in re.match('[A-Z]+', ref).group(0):
        n = n * 26 + ord(ch) - 64
    return n - 1
out = []
for i, sheet in enumerate(book.findall('m:sheets/m:sheet', ns)):
    root = ET.fromstring(z.read('xl/worksheets/sheet%d.xml' % (i + 1)))
    rows = {}
    width = 0
    for row in root.findall('m:sheetData/m:row', ns):
        cells = {}
        for c in row.findall('m:c', ns):
            fmt = formats[int(c.get('s', 0))]
            t = c.get('t')
            v = c.find('m:v', ns)
            if t == 'inlineStr':
                text = ''.join(x.text or '' for x in c.iter('{%s}t' % ns['m']))
                value = re.sub('_x([0-9A-Fa-f]{4})_', lambda m: chr(int(m.group(1), 16)), text)
            elif t == 'b':
                value = v.text == '1'
            elif v is None:
                value = None
            elif 'yy' in fmt:
                when = datetime.datetime(1899, 12, 30) + datetime.timedelta(seconds=round(float(v.text) * 86400))
                value = {'date': when.isoformat(), 'format': fmt}
            else:
                number = float(v.text)
                number = int(number) if number.is_integer() else number
                value = number if fmt == 'General' else {'number': number, 'format': fmt}
            cells[column(c.get('r'))] = value
            width = max(width, column(c.get('r')) + 1)
        rows[int(row.get('r'))] = cells
    last = max(rows) if rows else 0
    out.append([sheet.get('name'), [[rows.get(r, {}).get(k) for k in range(width)] for r in range(1, last + 1)]])
print(json.dumps(out))
)";

std::optional<QJsonArray> readXlsx(const QString &path) {
    if (auto json = runPython(QString::fromUtf8(kXlsxScript), {path}))
        return json;
    if (toolsRequired())
        ADD_FAILURE() << "python3 with openpyxl is needed to read the workbook back";
    return runPython(QString::fromUtf8(kXlsxXmlScript), {path});
}

TEST_F(Export, XlsxHoldsNumbersDatesCurrencyAndText) {
    const tables::ExportResult result = run(kOdd, out(QStringLiteral("odd.xlsx")));
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(result.sheets, 1);
    const auto json = readXlsx(out(QStringLiteral("odd.xlsx")));
    if (!json)
        GTEST_SKIP() << "python3 is not installed: the workbook was not read back";
    ASSERT_EQ(json->size(), 1);
    const QJsonArray rows = json->at(0).toArray().at(1).toArray();
    ASSERT_EQ(rows.size(), 7);
    EXPECT_EQ(rows[0].toArray(), (QJsonArray{"Name", "Amount", "When", "Flag", "Ratio"}));
    const QJsonArray first = rows[1].toArray();
    EXPECT_EQ(first[0].toString(), QStringLiteral("Zoë\tTab"));
    EXPECT_DOUBLE_EQ(first[1].toObject()[QStringLiteral("number")].toDouble(), 2.675);
    EXPECT_TRUE(first[1].toObject()[QStringLiteral("format")].toString().contains(QStringLiteral("#,##0.00")));
    EXPECT_EQ(first[2].toObject()[QStringLiteral("date")].toString(), QStringLiteral("2006-08-24T13:45:00"));
    EXPECT_EQ(first[3], QJsonValue(true));
    EXPECT_DOUBLE_EQ(first[4].toDouble(), 1.5);
    EXPECT_EQ(rows[2].toArray()[0].toString(), QStringLiteral("Line\r\nbreak, \"quoted\""));
    EXPECT_EQ(rows[3].toArray()[2], QJsonValue());  // Null stays empty
    EXPECT_EQ(rows[6].toArray()[2].toString(), QStringLiteral("not a date"));

    // All Bids: the same values as stored, row for row.
    run(kAllBids, out(QStringLiteral("bids.xlsx")));
    const auto bids = readXlsx(out(QStringLiteral("bids.xlsx")));
    ASSERT_TRUE(bids);
    const QJsonArray bidRows = bids->at(0).toArray().at(1).toArray();
    const std::vector<QStringList> stored = plainRows(database(), kAllBids);
    ASSERT_EQ(std::size_t(bidRows.size()), stored.size() + 1);
    for (std::size_t r = 0; r < stored.size(); ++r) {
        for (int c = 0; c < stored[r].size(); ++c) {
            const QJsonValue cell = bidRows[qsizetype(r + 1)].toArray()[c];
            const QJsonObject typed = cell.toObject();
            const QJsonValue value = !cell.isObject()                      ? cell
                                     : typed.contains(QStringLiteral("number")) ? typed[QStringLiteral("number")]
                                                                                 : typed[QStringLiteral("date")];
            if (value.isDouble()) {
                EXPECT_DOUBLE_EQ(value.toDouble(), stored[r][c].toDouble()) << r << "," << c;
            } else if (!value.isNull()) {
                EXPECT_EQ(value.toString().replace(u'T', u' '), stored[r][c]) << r << "," << c;
            }
        }
    }
}

TEST_F(Export, XlsxGoesOnInFurtherSheetsEachWithTheHeader) {
    tables::ExportOptions options;
    options.sheetRows = 10;  // the header and nine rows
    const QString sql = QStringLiteral("SELECT [Id] FROM [Many] WHERE [Id] < 25 ORDER BY [Id]");
    const tables::ExportResult result = run(sql, out(QStringLiteral("split.xlsx")), options);
    EXPECT_EQ(result.rows, 25);
    EXPECT_EQ(result.sheets, 3);
    const auto json = readXlsx(out(QStringLiteral("split.xlsx")));
    if (!json)
        GTEST_SKIP() << "python3 is not installed: the workbook was not read back";
    ASSERT_EQ(json->size(), 3);
    int next = 0;
    for (int s = 0; s < 3; ++s) {
        const QJsonArray rows = json->at(s).toArray().at(1).toArray();
        ASSERT_EQ(rows.size(), s < 2 ? 10 : 8);
        EXPECT_EQ(rows[0].toArray()[0].toString(), QStringLiteral("Id"));
        for (qsizetype r = 1; r < rows.size(); ++r)
            EXPECT_EQ(rows[r].toArray()[0].toInt(), next++);
    }
}

TEST_F(Export, ACancelledExportLeavesTheOldFileAndNoTemporaryFile) {
    for (const QString &name : {QStringLiteral("old.txt"), QStringLiteral("old.csv"), QStringLiteral("old.xlsx")}) {
        writeFile(out(name), "old contents");
        tables::ExportOptions options;
        qint64 seen = -1;
        options.progress = [&](qint64 done, qint64) {
            seen = done;
            return false;
        };
        const tables::ExportResult result = run(QStringLiteral("SELECT * FROM [Many]"), out(name), options);
        EXPECT_FALSE(result.completed) << name;
        EXPECT_GT(seen, 0) << name;
        EXPECT_EQ(fileBytes(out(name)), QByteArray("old contents")) << name;
        EXPECT_EQ(filesIn(out()), QStringList{name}) << name;
        QFile::remove(out(name));
    }
}

TEST_F(Export, AFailedExportRaisesItsErrorAndLeavesTheOldFile) {
    writeFile(out(QStringLiteral("keep.txt")), "old contents");
    try {
        run(QStringLiteral("SELECT * FROM [No Such Table]"), out(QStringLiteral("keep.txt")));
        ADD_FAILURE() << "no error";
    } catch (const db::Error &error) {
        EXPECT_EQ(error.number(), 3078);
    }
    for (const QString &name : {QStringLiteral("missing/x.txt"), QStringLiteral("missing/x.xlsx")}) {
        try {
            run(kAllBids, out(name));
            ADD_FAILURE() << "no error for " << name;
        } catch (const db::Error &error) {
            EXPECT_EQ(error.number(), 75) << name;
        }
    }
    // The database itself as the target: refused, the auction untouched.
    const QByteArray before = fileBytes(auction);
    try {
        run(kAllBids, auction);
        ADD_FAILURE() << "the database was replaced by its export";
    } catch (const db::Error &error) {
        EXPECT_EQ(error.number(), 75);
    }
    EXPECT_EQ(fileBytes(auction), before);
    EXPECT_EQ(fileBytes(out(QStringLiteral("keep.txt"))), QByteArray("old contents"));
    EXPECT_EQ(filesIn(out()), QStringList{QStringLiteral("keep.txt")});
}

TEST_F(Export, ProgressEndsAtTheRowCount) {
    tables::ExportOptions options;
    options.totalRows = 10000;
    qint64 last = -1, total = -1;
    options.progress = [&](qint64 done, qint64 all) {
        last = done;
        total = all;
        return true;
    };
    EXPECT_EQ(run(QStringLiteral("SELECT * FROM [Many]"), out(QStringLiteral("p.csv")), options).rows, 10000);
    EXPECT_EQ(last, 10000);
    EXPECT_EQ(total, 10000);
}

}  // namespace
