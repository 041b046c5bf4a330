#include "cli/ExportCommand.h"

#include "cli/ShownStatement.h"
#include "db/Database.h"
#include "tables/TableExport.h"

namespace cli {

int exportCommand(const Options &options, Streams io) {
    if (options.db.isEmpty() || options.arguments.size() != 2) {
        io.err << "lotwise-cli: export needs --db DB, a table and an output file\n" << usage();
        return 2;
    }
    const QString &table = options.arguments[0];
    const QString &target = options.arguments[1];
    QString statement;
    {
        const db::Database database = db::Database::open(options.db);
        statement = shownStatement(database, table, options.round, options.sort, options.filter);
    }
    tables::ExportOptions exportOptions;
    exportOptions.format = tables::exportFormatFor(target);
    const tables::ExportResult result = tables::exportQuery(options.db, statement, target, exportOptions);
    if (result.sheets > 1)
        io.err << "Lotwise: " << result.rows << " rows written over " << result.sheets
               << " worksheets: a worksheet holds " << tables::kXlsxSheetRows - 1 << " rows below its header.\n";
    return 0;
}

}  // namespace cli
