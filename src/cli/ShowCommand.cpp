#include "cli/ShowCommand.h"

#include "cli/ShownStatement.h"
#include "cli/TsvWriter.h"
#include "db/Database.h"
#include "db/Recordset.h"

namespace cli {

int showCommand(const Options &options, Streams io) {
    if (options.db.isEmpty() || options.arguments.size() != 1) {
        io.err << "lotwise-cli: show needs --db DB and one TABLE\n" << usage();
        return 2;
    }
    const db::Database database = db::Database::open(options.db);
    const QString statement =
        shownStatement(database, options.arguments.front(), options.round, options.sort, options.filter);
    // Read as the grid reads it, with the table's rowid: rows that tie on the sort come in the grid's order.
    const auto rows = database.openRecordset(statement, db::RecordsetType::Dynaset);
    writeTsv(io.out, *rows);
    return 0;
}

}  // namespace cli
