#include "cli/CliPrompter.h"

#include "cli/Commands.h"
#include "db/Error.h"

namespace cli {

CliPrompter::CliPrompter(QTextStream &err, Answer answer, QStringList paths)
    : err_(err), answer_(answer), paths_(std::move(paths)) {}

app::Answer CliPrompter::msgBox(const QString &text, const app::MessageStyle &style, const QString &title) {
    message(err_, title, text);
    const bool question = style.buttons == app::Buttons::YesNo || style.buttons == app::Buttons::YesNoCancel;
    if (question && answer_ == Answer::Yes)
        return app::Answer::Yes;
    if (question && answer_ == Answer::No)
        return app::Answer::No;
    return app::defaultAnswer(style);
}

QString CliPrompter::inputBox(const QString &prompt, const QString &title, const QString &defaultText) {
    message(err_, title, prompt);
    return defaultText;
}

QString CliPrompter::nextPath(const app::FileDialog &dialog) {
    if (!paths_.isEmpty())
        return paths_.takeFirst();
    message(err_, {}, QStringLiteral("No file was given for the file dialog (%1).").arg(dialog.filter.section(u'|', 0, 0)));
    if (dialog.cancelError)
        throw db::Error(db::err::DialogCancelled, QStringLiteral("Cancel was selected."));
    return {};
}

QString CliPrompter::showOpen(const app::FileDialog &dialog) { return nextPath(dialog); }

QString CliPrompter::showSave(const app::FileDialog &dialog) { return nextPath(dialog); }

void CliPrompter::progressStart(const QString &title, int) { progressTitle_ = title; }

bool CliPrompter::progressStep(int, const QString &text) {
    message(err_, progressTitle_, text);
    err_.flush();
    return true;
}

}  // namespace cli
