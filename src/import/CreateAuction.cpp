#include "import/CreateAuction.h"

#include "core/ModuleState.h"
#include "db/Error.h"
#include "import/LastImport.h"
#include "import/RoundDatabase.h"
#include "import/NewAuction.h"
#include "import/RoundFileName.h"
#include "import/WorkFile.h"

#include <QFile>

namespace importer {

bool CreateAuction(app::ModuleState &state) {
    try {
        removeStaleWorkFiles(state.homeDir);
        const QString path = chooseRoundOne(state, 4);
        if (path.isEmpty())
            return false;
        SaveLastImportPath(state, path);
        const QString bare = SplitPath(path, true);
        if (!isRoundOneOrSayWhy(state, bare))
            return false;
        if (!makeNewAuction(state, path, db::schema::Creator::RoundFile))
            return false;
        const qint32 auction = auctionOf(bare);
        const app::Answer answer =
            state.ui().msgBox(QStringLiteral("Auction %1 has been successfully created.").arg(auction) + app::CR +
                                  QStringLiteral("   Would you like to delete the round") + app::CR +
                                  QStringLiteral("      results file you just imported?"),
                              {app::Buttons::YesNo, app::Icon::None, app::DefaultButton::Second},
                              QStringLiteral("Round Imported Successfully"));
        if (answer == app::Answer::Yes)
            QFile::remove(path);
        state.ui().setCaption(QStringLiteral("Lotwise - ") + state.AuctionDbPath);
        return true;
    } catch (const db::Error &error) {
        reportCreationFailure(state, error);
        return false;
    }
}

}  // namespace importer
