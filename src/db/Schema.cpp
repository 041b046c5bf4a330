#include "db/Schema.h"

#include "db/Database.h"
#include "db/JetTranslator.h"
#include "db/Recordset.h"
#include "db/Sqlite.h"

namespace db::schema {

bool isSuppliedTableName(const QString &name) {
    return !name.startsWith(QLatin1String("MSys"), Qt::CaseSensitive) &&
           !name.startsWith(QLatin1String("sys"), Qt::CaseSensitive);
}

QString createSuppliedTablesStatement() { return QStringLiteral("CREATE TABLE [sysSuppliedTables] ([TableName] Text)"); }

QString insertSuppliedTableStatement(const QString &table) {
    return QStringLiteral("INSERT INTO [sysSuppliedTables] (TableName) VALUES (") + jet::doubleQuoted(table) + u')';
}

QStringList systemTableStatements(Creator creator, qint64 auctionNumber) {
    const bool batch = creator == Creator::BatchImport;
    QStringList s;
    s << QStringLiteral("CREATE TABLE [sysRounds] ([Round] Number)");
    s << (batch ? QStringLiteral("INSERT INTO [sysRounds] VALUES (1)")
                : QStringLiteral("INSERT INTO [sysRounds] ([Round]) VALUES (1)"));
    s << QStringLiteral("CREATE TABLE [sysAuction] ([Auction ID] Number)");
    s << QStringLiteral("INSERT INTO [sysAuction] ([Auction ID]) VALUES (%1)").arg(auctionNumber);
    s << QStringLiteral("CREATE TABLE [sysWizard] ([Table Name] TEXT(65), [SQL String] MEMO)");
    if (batch)
        s << QStringLiteral("CREATE TABLE [sysQueryBuilder] ([Txt5] TEXT(65), ") +
                 QStringLiteral("[Txt0] TEXT(255), [Txt1] TEXT(255), [Txt2] TEXT(255), [Txt3] TEXT(255), [Txt4] TEXT(255))");
    else
        s << QStringLiteral("CREATE TABLE [sysQueryBuilder] ([Txt5] TEXT(255), ") +
                 QStringLiteral("[Txt0] MEMO, [Txt1] TEXT(65), [Txt2] MEMO, [Txt3] MEMO, [Txt4] MEMO)");
    s << QStringLiteral("ALTER TABLE [sysQueryBuilder] ADD CONSTRAINT [Primary] PRIMARY KEY ([Txt5])");
    s << QStringLiteral("CREATE TABLE [sysTables] ([TableName] Text)");
    s << QStringLiteral("INSERT INTO [sysTables] SELECT * FROM [sysSuppliedTables]");
    return s;
}

void createSystemTables(Database &database, Creator creator, qint64 auctionNumber) {
    database.execute(createSuppliedTablesStatement());
    for (const QString &table : database.tableDefs())
        if (isSuppliedTableName(table))
            database.execute(insertSuppliedTableStatement(table));
    for (const QString &statement : systemTableStatements(creator, auctionNumber))
        database.execute(statement);
    createRoundIndexes(database);
}

void createRoundIndexes(Database &database) {
    const auto tables = database.openRecordset(QStringLiteral("SELECT TableName FROM sysSuppliedTables"),
                                               RecordsetType::Snapshot);
    for (; !tables->eof(); tables->moveNext()) {
        const QString table = tables->value(0).toString();
        if (!database.fieldNames(table).contains(QStringLiteral("Round"), Qt::CaseInsensitive))
            continue;
        exec(database.handle(),
             QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 ([Round])")
                 .arg(jet::bracketName(table + QStringLiteral(".Round")), jet::bracketName(table)));
    }
}

}  // namespace db::schema
