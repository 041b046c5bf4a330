// The main window's placement, kept between runs in twips, and the compaction of the database when it closes.
#include "app/frmMain.h"

#include "app/GuiPrompter.h"
#include "core/ModuleState.h"
#include "db/Database.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include <algorithm>

#include <future>

namespace app {

namespace {

constexpr double kTwipsPerInch = 1440.0;
const char *const kKeys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
constexpr float kDefaults[] = {1000, 1000, 6500, 6500};


}  // namespace

// The window's left, top, width and height, in this order, from the stored settings (in twips). On the first
// start (nothing stored) the window takes two thirds of the screen's available room, centred.
void frmMain::MDIForm_Load() {
    QSettings store(QStringLiteral("Lotwise"), QStringLiteral("Lotwise"));
    store.beginGroup(QStringLiteral("Settings"));
    const auto stored = [&](const char *key) { return store.contains(QLatin1String(key)); };
    if (std::none_of(std::begin(kKeys), std::end(kKeys), stored)) {
        placeOnFirstStart();
        return;
    }
    double twips[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const float value = store.value(QLatin1String(kKeys[i]), kDefaults[i]).toString().toFloat(&ok);
        twips[i] = ok && value >= 0 ? value : kDefaults[i];
    }
    const double perTwipX = logicalDpiX() / kTwipsPerInch;
    const double perTwipY = logicalDpiY() / kTwipsPerInch;
    move(int(twips[0] * perTwipX), int(twips[1] * perTwipY));
    resize(int(twips[2] * perTwipX), int(twips[3] * perTwipY));
}

void frmMain::placeOnFirstStart() {
    const QScreen *where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!where)
        return;
    const QRect room = where->availableGeometry();
    const QSize size(room.width() * 2 / 3, room.height() * 2 / 3);
    resize(size);
    move(room.x() + (room.width() - size.width()) / 2, room.y() + (room.height() - size.height()) / 2);
}

void frmMain::savePlacement() {
    if (isMinimized())
        return;  // the last normal placement stays stored
    QSettings store(QStringLiteral("Lotwise"), QStringLiteral("Lotwise"));
    store.beginGroup(QStringLiteral("Settings"));
    const double twipsPerX = kTwipsPerInch / logicalDpiX();
    const double twipsPerY = kTwipsPerInch / logicalDpiY();
    const double values[] = {x() * twipsPerX, y() * twipsPerY, width() * twipsPerX, height() * twipsPerY};
    for (int i = 0; i < 4; ++i)
        store.setValue(QLatin1String(kKeys[i]), QString::number(float(values[i])));
}

// The window stays on screen with the status text while the database is compacted off the GUI thread.
void frmMain::CompactOnExit() {
    if (state_.AuctionDbPath.isEmpty())
        return;  // nothing was opened
    if (isMinimized())
        showNormal();
    prompter_.setStatus(kStatusPanelText, QStringLiteral("Optimizing Database...Please Standby!"));
    BusyCursor busy(prompter_);
    QApplication::processEvents();
    const QString path = state_.AuctionDbPath;
    std::future<db::CompactResult> work = std::async(std::launch::async, [path] { return db::Database::compact(path); });
    QEventLoop loop;
    while (work.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
        loop.processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    try {
        if (work.get() == db::CompactResult::InUse)
            prompter_.msgBox(QStringLiteral("The auction database is open in another program, so it was not optimized.") +
                                 CR + QStringLiteral("Nothing was changed; it will be optimized on a later exit."),
                             {Buttons::OK, Icon::Information}, {});
    } catch (const db::Error &error) {
        prompter_.msgBox(QStringLiteral("Error: %1 %2").arg(error.number()).arg(error.description()) + CR +
                             QStringLiteral("The database was not compacted; it is unchanged."),
                         {Buttons::OK, Icon::Exclamation}, {});
    }
}

}  // namespace app
