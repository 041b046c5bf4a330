#include "support/ScriptedPrompter.h"

#include "db/Error.h"

#include <gtest/gtest.h>

namespace testsupport {

ScriptedPrompter::~ScriptedPrompter() = default;

ScriptedPrompter &ScriptedPrompter::expectMessage(const QString &title, std::optional<app::Answer> answer) {
    script_.push_back({Step::Kind::Message, title, answer});
    return *this;
}

ScriptedPrompter &ScriptedPrompter::expectOpen(const QString &path) {
    script_.push_back({Step::Kind::Open, path, std::nullopt});
    return *this;
}

ScriptedPrompter &ScriptedPrompter::expectOpenCancelled() { return expectOpen({}); }

void ScriptedPrompter::verifyDone() {
    for (const Step &step : script_)
        ADD_FAILURE() << "expected but never shown: " << (step.kind == Step::Kind::Open ? "file dialog " : "message ")
                      << step.value.toStdString();
    script_.clear();
}

app::Answer ScriptedPrompter::msgBox(const QString &text, const app::MessageStyle &style, const QString &title) {
    messages.push_back({text, style, title});
    if (script_.empty() || script_.front().kind != Step::Kind::Message) {
        ADD_FAILURE() << "unexpected message \"" << title.toStdString() << "\": " << text.toStdString();
        return app::defaultAnswer(style);
    }
    const Step step = script_.front();
    script_.pop_front();
    EXPECT_EQ(title.toStdString(), step.value.toStdString()) << "message: " << text.toStdString();
    return step.answer.value_or(app::defaultAnswer(style));
}

QString ScriptedPrompter::inputBox(const QString &prompt, const QString &, const QString &defaultText) {
    ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
    return defaultText;
}

QString ScriptedPrompter::showOpen(const app::FileDialog &dialog) {
    dialogs.push_back(dialog);
    if (script_.empty() || script_.front().kind != Step::Kind::Open) {
        ADD_FAILURE() << "unexpected file dialog " << dialog.filter.toStdString();
        throw db::Error(db::err::DialogCancelled, QStringLiteral("Cancel was selected."));
    }
    const QString path = script_.front().value;
    script_.pop_front();
    if (path.isEmpty() && dialog.cancelError)
        throw db::Error(db::err::DialogCancelled, QStringLiteral("Cancel was selected."));
    return path;
}

QString ScriptedPrompter::showSave(const app::FileDialog &dialog) { return showOpen(dialog); }

void ScriptedPrompter::setStatus(int panel, const QString &text) {
    if (panel == app::kStatusPanelText)
        statuses << text;
    if (panel == app::kStatusPanelResult)
        results << text;
}

bool ScriptedPrompter::progressStep(int done, const QString &text) {
    progress.push_back(text);
    return done != cancelAt_;
}

QStringList lines(const QString &text) { return text.split(QChar(13)); }

}  // namespace testsupport
