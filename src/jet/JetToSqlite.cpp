#include "jet/JetToSqlite.h"

#include "jet/MdbDatabase.h"
#include "jet/MdbTableReader.h"
#include "jet/OutputFile.h"
#include "jet/SqliteOutput.h"

namespace jet {

void convertJetToSqlite(const std::string &in, const std::string &out) {
    MdbDatabase database(in);
    OutputFile file(out);
    SqliteOutput output(file.path());
    std::vector<Value> row;
    for (MdbCatalogEntry *entry : database.userTables()) {
        MdbTableReader reader(database, entry);
        SqliteTableWriter writer(output, reader.name(), reader.columnSpecs());
        while (reader.next(row))
            writer.insert(row);
    }
    output.commitAndClose();
    file.sync();
    file.keep();
}

}  // namespace jet
