// The command line's Prompter: messages print as "TITLE: text" on standard error, questions take their default
// answer unless --yes or --no was given, and the file dialogs take the paths of the command's arguments, one per
// dialog. A dialog with no path left counts as cancelled, and says so.
#pragma once

#include "core/Prompter.h"
#include "cli/CliOptions.h"

#include <QStringList>
#include <QTextStream>

namespace cli {

class CliPrompter : public app::Prompter {
public:
    CliPrompter(QTextStream &err, Answer answer, QStringList paths);

    app::Answer msgBox(const QString &text, const app::MessageStyle &style, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    QString showOpen(const app::FileDialog &dialog) override;
    QString showSave(const app::FileDialog &dialog) override;
    void setStatus(int, const QString &) override {}
    void setCaption(const QString &) override {}
    void busyCursor(bool) override {}
    void progressStart(const QString &title, int steps) override;
    bool progressStep(int done, const QString &text) override;
    void progressDone() override {}

private:
    QString nextPath(const app::FileDialog &dialog);

    QTextStream &err_;
    Answer answer_;
    QStringList paths_;
    QString progressTitle_;
};

}  // namespace cli
