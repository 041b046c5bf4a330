#include "cli/TableCommands.h"

#include "cli/CliPrompter.h"
#include "cli/TsvWriter.h"
#include "core/AuctionDatabase.h"
#include "core/HomeDirectory.h"
#include "core/ModuleState.h"
#include "tables/DropUserTable.h"
#include "tables/QueryBuilder.h"

namespace cli {

namespace {

int usageError(Streams io, const QString &problem) {
    io.err << "lotwise-cli: " << problem << '\n' << usage();
    return 2;
}

// Runs work on the auction database of --db with the command line's Prompter; its result is the exit status.
template <typename Work>
int withAuction(const Options &options, Streams io, Work work) {
    CliPrompter prompter(io.err, options.answer, {});
    app::ModuleState state = app::makeModuleState(app::resolveHomeDirectory(options.home), prompter);
    app::OpenAuctionDatabase(state, options.db);
    return work(state);
}

int listQueries(const app::ModuleState &state, Streams io) {
    QString text = QStringLiteral("Name\tSelect\tInto\tFrom\tWhere\tOrder By\n");
    for (const tables::QueryRow &row : tables::loadQueries(state.AuctionDb)) {
        const importer::QueryClauses &c = row.clauses;
        const QStringList fields = {row.name, c.select, c.into, c.from, c.where, c.order};
        QStringList shown;
        for (const QString &field : fields)
            shown << tsvField(field);
        text += shown.join(u'\t') + u'\n';
    }
    io.out << text;
    return 0;
}

int runStoredQuery(app::ModuleState &state, Streams io, const QString &name) {
    for (const tables::QueryRow &row : tables::loadQueries(state.AuctionDb))
        if (row.name.compare(name, Qt::CaseInsensitive) == 0)
            return tables::runQuery(state, row.name, row, {}) ? 0 : 1;
    message(io.err, QStringLiteral("Error"), QStringLiteral("No query is named '%1'.").arg(name));
    return 1;
}

}  // namespace

int dropCommand(const Options &options, Streams io) {
    if (options.db.isEmpty() || options.arguments.size() != 1)
        return usageError(io, QStringLiteral("drop needs --db DB and TABLE"));
    const QString table = options.arguments.front();
    return withAuction(options, io, [&](app::ModuleState &state) {
        return tables::DropUserTable(state, table, {}) == tables::DropOutcome::Dropped ? 0 : 1;
    });
}

int queryCommand(const Options &options, Streams io) {
    const QStringList &args = options.arguments;
    const bool list = args.size() == 1 && args[0] == QLatin1String("list");
    const bool run = args.size() == 2 && args[0] == QLatin1String("run");
    if (options.db.isEmpty() || (!list && !run))
        return usageError(io, QStringLiteral("query needs --db DB and list, or run NAME"));
    return withAuction(options, io, [&](app::ModuleState &state) {
        return list ? listQueries(state, io) : runStoredQuery(state, io, args[1]);
    });
}

}  // namespace cli
