#include "app/Main.h"

#include "app/Demo.h"
#include "app/GuiPrompter.h"
#include "core/HomeDirectory.h"
#include "core/ModuleState.h"
#include "app/Version.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "db/Error.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>

// The program's pictures live in a resource of the static ui library, which must be registered by hand.
static void registerResources() { Q_INIT_RESOURCE(lotwise); }

namespace app {

namespace {

// The splash stays up at least this long, so that it can be read; LOTWISE_SPLASH_MS changes it (0 for tests).
int splashMilliseconds() {
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("LOTWISE_SPLASH_MS", &ok);
    return ok ? ms : 900;
}

void useIconTheme() {
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
}

}  // namespace

int Main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    registerResources();
    QApplication::setApplicationName(QStringLiteral("Lotwise"));
    QApplication::setOrganizationName(QStringLiteral("Lotwise"));
    QApplication::setApplicationVersion(programVersion());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/lotwise/lotwise.png")));
    useIconTheme();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Lotwise: follow a multi-round spectrum auction."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption home({QStringLiteral("home")}, QStringLiteral("Home directory."), QStringLiteral("DIR"));
    const QCommandLineOption demo({QStringLiteral("demo")}, QStringLiteral("Open the demo auction."));
    parser.addOption(home);
    parser.addOption(demo);
    parser.process(application);

    QString homeDir;
    try {
        homeDir = resolveHomeDirectory(parser.value(home));
        if (parser.isSet(demo)) {
            homeDir = QDir(homeDir).filePath(QStringLiteral("demo"));
            ensureDirectory(homeDir);
        }
    } catch (const db::Error &error) {
        QMessageBox::critical(nullptr, QStringLiteral("Lotwise"), error.text());
        return 1;
    }
    GuiPrompter prompter;
    ModuleState state = makeModuleState(homeDir, prompter);

    auto *splash = new frmSplash();
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    QApplication::processEvents();
    frmMain window(state, prompter);
    const bool withDemo = parser.isSet(demo);
    QTimer::singleShot(splashMilliseconds(), &window, [&, splash, withDemo] {
        splash->close();
        window.show();
        if (withDemo)
            openDemo(window, state, prompter);
        else
            window.FileOpen();
    });
    return QApplication::exec();
}

}  // namespace app
