// The commands of lotwise-cli. Each returns the process exit status: 0 on success, 1 after an error or refusal
// message (written to err as "TITLE: text"), 2 for a malformed command line.
#pragma once

#include "cli/CliOptions.h"

#include <QTextStream>

namespace cli {

struct Streams {
    QTextStream &out;
    QTextStream &err;
};

int runCommand(const Options &options, Streams io);

// "TITLE: text", with the character 13 joints of the program's messages shown as line breaks. An empty title
// is the program's title.
void message(QTextStream &err, const QString &title, const QString &text);

}  // namespace cli
