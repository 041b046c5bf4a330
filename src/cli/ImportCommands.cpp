#include "cli/ImportCommands.h"

#include "core/HomeDirectory.h"
#include "core/ModuleState.h"
#include "cli/CliPrompter.h"
#include "core/AuctionDatabase.h"
#include "import/CreateAuction.h"
#include "import/ImportRound.h"

#include <QFileInfo>

namespace cli {

namespace {

int usageError(Streams io, const QString &problem) {
    io.err << "lotwise-cli: " << problem << '\n' << usage();
    return 2;
}

// Runs one procedure with the given dialog paths; on success prints the auction database's path.
template <typename Procedure>
int run(const Options &options, Streams io, const QStringList &paths, bool openDb, Procedure procedure) {
    CliPrompter prompter(io.err, options.answer, paths);
    app::ModuleState state = app::makeModuleState(app::resolveHomeDirectory(options.home), prompter);
    if (openDb)
        app::OpenAuctionDatabase(state, options.db);
    const bool done = procedure(state);
    if (done)
        io.out << state.AuctionDbPath << '\n';
    return done ? 0 : 1;
}

QString absolute(const QString &path) { return QFileInfo(path).absoluteFilePath(); }

}  // namespace

int createCommand(const Options &options, Streams io) {
    if (options.arguments.size() != 1)
        return usageError(io, QStringLiteral("create needs ROUND1.zip"));
    return run(options, io, {absolute(options.arguments[0])}, false, [](app::ModuleState &state) {
        return importer::CreateAuction(state) == importer::Creation::Created;
    });
}

int batchImportCommand(const Options &options, Streams io) {
    if (options.arguments.size() != 1)
        return usageError(io, QStringLiteral("batch-import needs ROUND1.zip"));
    return run(options, io, {absolute(options.arguments[0])}, false, [](app::ModuleState &state) {
        return importer::BatchImport(state) == importer::Creation::Created;
    });
}

int importCommand(const Options &options, Streams io) {
    if (options.db.isEmpty() || options.arguments.size() != 1)
        return usageError(io, QStringLiteral("import needs --db DB and FILE.zip"));
    return run(options, io, {absolute(options.arguments[0])}, true,
               [](app::ModuleState &state) { return importer::ImportRound(state, false); });
}

int autoImportCommand(const Options &options, Streams io) {
    if (options.db.isEmpty() || !options.arguments.isEmpty())
        return usageError(io, QStringLiteral("auto-import needs --db DB"));
    return run(options, io, {}, true, [](app::ModuleState &state) { return importer::ImportRound(state, true); });
}

}  // namespace cli
