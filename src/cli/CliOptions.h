// The command line of lotwise-cli: global options, then a command and its arguments.
//   lotwise-cli [--home DIR] [--yes|--no] COMMAND [ARGS...]
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace cli {

enum class Answer { Default, Yes, No };

struct Options {
    QString home;          // --home DIR
    Answer answer = Answer::Default;
    QString command;
    QStringList arguments;        // positional arguments after the command
    QString db;                   // --db DB
    QString round;                // --round R
    QString sort;                 // --sort TEXT
    QString filter;               // --filter TEXT
    bool all = false;             // --all
    bool json = false;            // --json
    QString by;                   // --by markets|bidders|rounds
    QString from;                 // --from N
    QString to;                   // --to M
    QString out;                  // --out FILE
    QStringList select;           // --select NAME, each time given
    bool gross = false;           // --gross
    bool portrait = false;        // --portrait
    QString margins;              // --margins L,T,R,B
    QStringList rowBreaks;        // --row-break N, each time given
    QStringList columnBreaks;     // --col-break N, each time given
    QString pdf;                  // --pdf FILE
};

// Parses argv (without the program name). Returns nothing and fills error on a malformed command line.
std::optional<Options> parseOptions(const QStringList &args, QString *error);

QString usage();

}  // namespace cli
