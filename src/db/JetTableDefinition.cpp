// CREATE TABLE and the column types of Jet's data definition language.
#include "db/JetParser.h"

#include "db/Error.h"

#include <QHash>

namespace db::jet {

namespace {

// Jet's type names in CREATE TABLE and ALTER TABLE. Note that FLOAT is Jet's Double and INTEGER its Long.
ColumnType ddlType(const QString &word) {
    static const QHash<QString, ColumnType> types = {
        {QStringLiteral("TEXT"), ColumnType::Text},         {QStringLiteral("CHAR"), ColumnType::Text},
        {QStringLiteral("VARCHAR"), ColumnType::Text},      {QStringLiteral("CHARACTER"), ColumnType::Text},
        {QStringLiteral("STRING"), ColumnType::Text},       {QStringLiteral("ALPHANUMERIC"), ColumnType::Text},
        {QStringLiteral("NCHAR"), ColumnType::Text},        {QStringLiteral("NVARCHAR"), ColumnType::Text},
        {QStringLiteral("MEMO"), ColumnType::Memo},         {QStringLiteral("LONGTEXT"), ColumnType::Memo},
        {QStringLiteral("LONGCHAR"), ColumnType::Memo},     {QStringLiteral("NOTE"), ColumnType::Memo},
        {QStringLiteral("NTEXT"), ColumnType::Memo},        {QStringLiteral("NUMBER"), ColumnType::Double},
        {QStringLiteral("DOUBLE"), ColumnType::Double},     {QStringLiteral("FLOAT"), ColumnType::Double},
        {QStringLiteral("FLOAT8"), ColumnType::Double},     {QStringLiteral("IEEEDOUBLE"), ColumnType::Double},
        {QStringLiteral("NUMERIC"), ColumnType::Decimal},   {QStringLiteral("DECIMAL"), ColumnType::Decimal},
        {QStringLiteral("DEC"), ColumnType::Decimal},       {QStringLiteral("SINGLE"), ColumnType::Single},
        {QStringLiteral("REAL"), ColumnType::Single},       {QStringLiteral("FLOAT4"), ColumnType::Single},
        {QStringLiteral("IEEESINGLE"), ColumnType::Single}, {QStringLiteral("LONG"), ColumnType::Long},
        {QStringLiteral("INTEGER"), ColumnType::Long},      {QStringLiteral("INT"), ColumnType::Long},
        {QStringLiteral("INTEGER4"), ColumnType::Long},     {QStringLiteral("COUNTER"), ColumnType::Long},
        {QStringLiteral("AUTOINCREMENT"), ColumnType::Long}, {QStringLiteral("IDENTITY"), ColumnType::Long},
        {QStringLiteral("SHORT"), ColumnType::Integer},     {QStringLiteral("SMALLINT"), ColumnType::Integer},
        {QStringLiteral("INTEGER2"), ColumnType::Integer},  {QStringLiteral("BYTE"), ColumnType::Byte},
        {QStringLiteral("TINYINT"), ColumnType::Byte},      {QStringLiteral("INTEGER1"), ColumnType::Byte},
        {QStringLiteral("CURRENCY"), ColumnType::Currency}, {QStringLiteral("MONEY"), ColumnType::Currency},
        {QStringLiteral("DATETIME"), ColumnType::DateTime}, {QStringLiteral("DATE"), ColumnType::DateTime},
        {QStringLiteral("TIME"), ColumnType::DateTime},     {QStringLiteral("TIMESTAMP"), ColumnType::DateTime},
        {QStringLiteral("YESNO"), ColumnType::Boolean},     {QStringLiteral("BIT"), ColumnType::Boolean},
        {QStringLiteral("LOGICAL"), ColumnType::Boolean},   {QStringLiteral("LOGICAL1"), ColumnType::Boolean},
        {QStringLiteral("BOOLEAN"), ColumnType::Boolean},   {QStringLiteral("BINARY"), ColumnType::Binary},
        {QStringLiteral("VARBINARY"), ColumnType::Binary},  {QStringLiteral("LONGBINARY"), ColumnType::LongBinary},
        {QStringLiteral("OLEOBJECT"), ColumnType::LongBinary}, {QStringLiteral("GENERAL"), ColumnType::LongBinary},
        {QStringLiteral("IMAGE"), ColumnType::LongBinary},  {QStringLiteral("GUID"), ColumnType::Guid},
        {QStringLiteral("UNIQUEIDENTIFIER"), ColumnType::Guid},
    };
    return types.value(word.toUpper(), ColumnType::Unknown);
}

}  // namespace

// The type of a column definition: a type word and, for text, an optional (n); DECIMAL may carry (p, s).
ColumnSpec Parser::columnType(const QString &columnName) {
    if (peek().kind != TokenKind::Word)
        fail();
    const QString word = take().text;
    ColumnSpec columnSpec;
    columnSpec.name = columnName.toStdString();
    columnSpec.type = ddlType(word);
    if (columnSpec.type == ColumnType::Unknown)
        throw Error(3292, QStringLiteral("Syntax error in field definition."));
    if (acceptSymbol("(")) {
        if (peek().kind != TokenKind::Number)
            fail();
        const int n = take().text.toInt();
        if (acceptSymbol(",") && peek().kind == TokenKind::Number)
            take();
        expectSymbol(")");
        if (columnSpec.type == ColumnType::Text) {
            if (n < 1 || n > 255)
                throw Error(3292, QStringLiteral("Syntax error in field definition."));
            columnSpec.textLength = n;
        }
    }
    if (columnSpec.type == ColumnType::Text && columnSpec.textLength == 0)
        columnSpec.textLength = kDefaultTextLength;
    return columnSpec;
}

Translation Parser::createTable() {
    setContext(3290, QStringLiteral("Syntax error in CREATE TABLE statement."));
    Translation t;
    t.kind = StatementKind::CreateTable;
    t.table = name();
    expectSymbol("(");
    QStringList definitions;
    QStringList notNull;
    do {
        if (acceptWord("CONSTRAINT")) {
            t.constraint = name();
            if (acceptWord("PRIMARY")) {
                expectWord("KEY");
                t.keyColumns = nameList();
            } else {
                expectWord("UNIQUE");
                const QStringList columns = nameList();
                QStringList quoted;
                for (const QString &c : columns)
                    quoted << bracketName(c);
                definitions << QStringLiteral("UNIQUE (") + quoted.join(QStringLiteral(", ")) + u')';
            }
            continue;
        }
        const QString column = name();
        QString definition = QString::fromStdString(columnDefinition(columnType(column)));
        while (true) {
            if (acceptWord("NOT")) {
                expectWord("NULL");
                definition += QStringLiteral(" NOT NULL");
            } else if (acceptWord("CONSTRAINT")) {
                t.constraint = name();
                if (acceptWord("PRIMARY")) {
                    expectWord("KEY");
                    t.keyColumns = {column};
                } else {
                    expectWord("UNIQUE");
                    definition += QStringLiteral(" UNIQUE");
                }
            } else if (acceptWord("PRIMARY")) {
                expectWord("KEY");
                t.keyColumns = {column};
            } else if (acceptWord("UNIQUE")) {
                definition += QStringLiteral(" UNIQUE");
            } else {
                break;
            }
        }
        definitions << definition;
    } while (acceptSymbol(","));
    expectSymbol(")");
    // A primary key refuses NULLs, which SQLite does not do by itself for keys that are not whole numbers.
    if (!t.keyColumns.isEmpty()) {
        QStringList quoted;
        for (const QString &c : t.keyColumns)
            quoted << bracketName(c);
        definitions << QStringLiteral("PRIMARY KEY (") + quoted.join(QStringLiteral(", ")) + u')';
        for (const QString &c : t.keyColumns)
            definitions << QStringLiteral("CONSTRAINT lw_key CHECK (") + bracketName(c) + QStringLiteral(" IS NOT NULL)");
    }
    t.sql = QStringLiteral("CREATE TABLE ") + bracketName(t.table) + QStringLiteral(" (") +
            definitions.join(QStringLiteral(", ")) + u')';
    return t;
}

}  // namespace db::jet
