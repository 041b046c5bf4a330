// lotwise-cli: the program's procedures for scripts and machines without a display.
#include "cli/Commands.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Lotwise"));
    QCoreApplication::setOrganizationName(QStringLiteral("Lotwise"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString problem;
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    const auto options = cli::parseOptions(args, &problem);
    if (!options) {
        err << "lotwise-cli: " << problem << '\n' << cli::usage();
        return 2;
    }
    return cli::runCommand(*options, {out, err});
}
