#include "import/CreateAuction.h"

#include "core/ModuleState.h"
#include "db/Error.h"
#include "import/NewAuction.h"
#include "import/RoundFileName.h"

#include <QFile>

namespace importer {

Creation CreateAuction(app::ModuleState &state) {
    try {
        const QString path = startNewAuction(state, 4, db::schema::Creator::RoundFile);
        if (path.isEmpty())
            return Creation::Failed;
        const qint32 auction = auctionOf(SplitPath(path, true));
        const app::Answer answer =
            state.ui().msgBox(QStringLiteral("Auction %1 has been successfully created.").arg(auction) + app::CR +
                                  QStringLiteral("   Would you like to delete the round") + app::CR +
                                  QStringLiteral("      results file you just imported?"),
                              {app::Buttons::YesNo, app::Icon::None, app::DefaultButton::Second},
                              QStringLiteral("Round Imported Successfully"));
        if (answer == app::Answer::Yes)
            QFile::remove(path);
        state.ui().setCaption(QStringLiteral("Lotwise - ") + state.AuctionDbPath);
        return Creation::Created;
    } catch (const db::Error &error) {
        return creationFailure(state, error);
    }
}

}  // namespace importer
