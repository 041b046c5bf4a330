// lotwise-cli: the program's procedures for scripts and machines without a display.
#include "cli/Commands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace {

QtMessageHandler qtHandler = nullptr;

// Qt's note that XDG_RUNTIME_DIR is unset (as under cron or ssh without a session) says nothing about the
// command and would add a line to the command's one-line messages; every other message passes on.
void quietRuntimeDirNote(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    if (qtHandler)
        qtHandler(type, context, text);
}

// print and summary --pdf lay out text with fonts, which takes a QGuiApplication; offscreen unless a platform is
// named, so that they run without a display. Every other command stays on QtCore.
bool needsFonts(int argc, char *argv[]) {
    QByteArray command;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--pdf")
            return command == "print" || command == "summary";
        if (arg.startsWith("--")) {
            if (arg != "--yes" && arg != "--no" && arg != "--all" && arg != "--json" && arg != "--gross" &&
                arg != "--portrait")
                ++i;  // an option's value
            continue;
        }
        if (command.isEmpty())
            command = arg;
        if (command == "print")
            return true;
        if (command != "summary")
            return false;
    }
    return false;
}

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[]) {
    if (!needsFonts(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    qtHandler = qInstallMessageHandler(quietRuntimeDirNote);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

int main(int argc, char *argv[]) {
    const auto app = makeApplication(argc, argv);
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
