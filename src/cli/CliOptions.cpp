#include "cli/CliOptions.h"

namespace cli {

std::optional<Options> parseOptions(const QStringList &args, QString *error) {
    Options options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        auto value = [&](QString *target) {
            if (i + 1 >= args.size()) {
                *error = arg + QStringLiteral(" needs a value");
                return false;
            }
            *target = args[++i];
            return true;
        };
        if (arg == QLatin1String("--home")) {
            if (!value(&options.home))
                return std::nullopt;
        } else if (arg == QLatin1String("--db")) {
            if (!value(&options.db))
                return std::nullopt;
        } else if (arg == QLatin1String("--round")) {
            if (!value(&options.round))
                return std::nullopt;
        } else if (arg == QLatin1String("--sort")) {
            if (!value(&options.sort))
                return std::nullopt;
        } else if (arg == QLatin1String("--filter")) {
            if (!value(&options.filter))
                return std::nullopt;
        } else if (arg == QLatin1String("--by")) {
            if (!value(&options.by))
                return std::nullopt;
        } else if (arg == QLatin1String("--from")) {
            if (!value(&options.from))
                return std::nullopt;
        } else if (arg == QLatin1String("--to")) {
            if (!value(&options.to))
                return std::nullopt;
        } else if (arg == QLatin1String("--out")) {
            if (!value(&options.out))
                return std::nullopt;
        } else if (arg == QLatin1String("--select")) {
            QString name;
            if (!value(&name))
                return std::nullopt;
            options.select << name;
        } else if (arg == QLatin1String("--row-break") || arg == QLatin1String("--col-break")) {
            QString number;
            if (!value(&number))
                return std::nullopt;
            (arg == QLatin1String("--row-break") ? options.rowBreaks : options.columnBreaks) << number;
        } else if (arg == QLatin1String("--margins")) {
            if (!value(&options.margins))
                return std::nullopt;
        } else if (arg == QLatin1String("--pdf")) {
            if (!value(&options.pdf))
                return std::nullopt;
        } else if (arg == QLatin1String("--portrait")) {
            options.portrait = true;
        } else if (arg == QLatin1String("--gross")) {
            options.gross = true;
        } else if (arg == QLatin1String("--all")) {
            options.all = true;
        } else if (arg == QLatin1String("--json")) {
            options.json = true;
        } else if (arg == QLatin1String("--yes")) {
            options.answer = Answer::Yes;
        } else if (arg == QLatin1String("--no")) {
            options.answer = Answer::No;
        } else if (arg.startsWith(QLatin1String("--")) && arg.size() > 2) {
            *error = QStringLiteral("unknown option ") + arg;
            return std::nullopt;
        } else if (options.command.isEmpty()) {
            options.command = arg;
        } else {
            options.arguments << arg;
        }
    }
    if (options.command.isEmpty()) {
        *error = QStringLiteral("no command given");
        return std::nullopt;
    }
    return options;
}

QString usage() {
    return QStringLiteral(
        "usage: lotwise-cli [--home DIR] [--yes|--no] COMMAND [ARGS...]\n"
        "commands:\n"
        "  convert FILE.mdb|FILE.zip OUT.sqlite   convert a Jet database (or a round results file) to SQLite\n"
        "  sql --db DB \"JET SQL\"                  run one statement; a query prints its rows\n"
        "  tables --db DB                         list the tables and their row counts\n"
        "  rounds --db DB                         list the imported rounds, newest first\n"
        "  create ROUND1.zip                      create a new auction from its round 1 results file\n"
        "  import --db DB FILE.zip                import one round results file\n"
        "  auto-import --db DB                    import the next round from the folder of the last import\n"
        "  batch-import ROUND1.zip                create an auction and import every following round file\n"
        "  compact --db DB                        compact the auction database in place\n"
        "  export --db DB TABLE OUT [--round R] [--sort TEXT] [--filter TEXT]\n"
        "                                         write the rows a data window shows to OUT: .txt tab-delimited,\n"
        "                                         .csv, .xlsx\n"
        "  drop --db DB TABLE                     drop a user-defined table (asks first: --yes / --no answer)\n"
        "  query --db DB list                     list the stored Query Builder queries: a header line, then\n"
        "                                         name, select, into, from, where, order by (tab-separated)\n"
        "  query --db DB run NAME                 build the table of a stored query, as its Run button does\n"
        "  show --db DB TABLE [--round R] [--sort TEXT] [--filter TEXT]\n"
        "                                         print the rows a data window shows of a table\n"
        "  summary --db DB [--round R | --all] [--json] [--pdf OUT.pdf]\n"
        "                                         the Round Summary's figures of round R (default: the newest),\n"
        "                                         or of every round; --json prints them as JSON\n"
        "  pivot --db DB --by markets|bidders|rounds --from N [--to M] [--gross] [--select NAME]...\n"
        "        --out FILE.xlsx|FILE.csv        the pivot table of an analysis of rounds N to M (net amounts\n"
        "                                         unless --gross): .xlsx with the data set, .csv the pivot alone;\n"
        "                                         --select names licenses (markets) or bidders (bidders), by\n"
        "                                         default all with bids in the range; not with --by rounds\n"
        "  print --db DB TABLE [--round R] [--sort TEXT] [--filter TEXT] [--portrait] [--margins L,T,R,B]\n"
        "        [--row-break N]... [--col-break N]... --pdf OUT.pdf\n"
        "                                         print the rows a data window shows to a PDF (Letter, landscape\n"
        "                                         unless --portrait; margins in inches, 0.5 each by default; the\n"
        "                                         rows and columns that start a page, numbered from 1)\n"
        "options: --home DIR (home directory), --yes / --no (answer to the questions)\n");
}

}  // namespace cli
