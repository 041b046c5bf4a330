#include "tables/WizardTable.h"

#include "db/Database.h"
#include "db/Error.h"
#include "db/JetTranslator.h"
#include "db/Sqlite.h"

namespace tables {

QString wizardNameProblem(const QString &name) {
    if (name.trimmed().isEmpty())
        return QStringLiteral("No table name was given, so no table was built.");
    if (name.toUcs4().size() > kWizardNameLength)
        return QStringLiteral("The table name is %1 characters long; a Table Wizard table name holds at most %2. "
                              "No table was built.")
            .arg(name.toUcs4().size())
            .arg(kWizardNameLength);
    if (name.contains(u'[') || name.contains(u']'))
        return QStringLiteral("A table name cannot hold the characters [ and ]. No table was built.");
    return {};
}

void makeWizardTable(db::Database &database, const QString &name, const QString &statement) {
    if (const QString problem = wizardNameProblem(name); !problem.isEmpty())
        throw db::Error(db::err::Reserved, problem);
    db::Transaction transaction(database);
    database.execute(statement);
    database.execute(QStringLiteral("INSERT INTO [sysTables] (TableName) VALUES (") + db::jet::singleQuoted(name) +
                     u')');
    database.execute(QStringLiteral("INSERT INTO [sysWizard] ([Table Name], [SQL String]) VALUES (") +
                     db::jet::singleQuoted(name) + QStringLiteral(", ") + db::jet::doubleQuoted(statement) + u')');
    transaction.commit();
}

}  // namespace tables
