// A Prompter for tests: every message box, input box and file dialog must be one the test expects, in order; it
// is answered as the script says, and anything unexpected fails the test. Status texts, the caption and
// progress are recorded for the test to read.
#pragma once

#include "core/Prompter.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace testsupport {

class ScriptedPrompter : public app::Prompter {
public:
    struct Shown {
        QString text;
        app::MessageStyle style;
        QString title;
    };

    ~ScriptedPrompter() override;

    // The next message box must have this title ("" = the program's own); it is answered with `answer`, or with
    // its default button when no answer is given.
    ScriptedPrompter &expectMessage(const QString &title, std::optional<app::Answer> answer = std::nullopt);
    // The next file dialog is answered with a path, or cancelled.
    ScriptedPrompter &expectOpen(const QString &path);
    ScriptedPrompter &expectOpenCancelled();
    // Stop the long work at this progress step.
    void cancelProgressAt(int step) { cancelAt_ = step; }

    // Fails the test when expected prompts never came.
    void verifyDone();

    std::vector<Shown> messages;  // every message box shown
    std::vector<app::FileDialog> dialogs;
    QStringList statuses;         // texts of status panel 1, in order
    QStringList results;          // texts of status panel 3 (computed results), in order
    QString caption;
    std::vector<QString> progress;

    app::Answer msgBox(const QString &text, const app::MessageStyle &style, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    QString showOpen(const app::FileDialog &dialog) override;
    QString showSave(const app::FileDialog &dialog) override;
    void setStatus(int panel, const QString &text) override;
    void setCaption(const QString &text) override { caption = text; }
    void busyCursor(bool) override {}
    void progressStart(const QString &, int) override {}
    bool progressStep(int done, const QString &text) override;
    void progressDone() override {}

private:
    struct Step {
        enum class Kind { Message, Open } kind;
        QString value;  // the title, or the path ("" = cancel)
        std::optional<app::Answer> answer;
    };
    std::deque<Step> script_;
    int cancelAt_ = -1;
};

// A message's lines: the program joins them with the character 13.
QStringList lines(const QString &text);

}  // namespace testsupport
