#include "app/GuiPrompter.h"

#include "db/Error.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace app {

namespace {

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonChoice {
    QMessageBox::StandardButton button;
    Answer answer;
};

std::vector<ButtonChoice> buttonsOf(Buttons buttons) {
    switch (buttons) {
    case Buttons::OK: return {{QMessageBox::Ok, Answer::OK}};
    case Buttons::OKCancel: return {{QMessageBox::Ok, Answer::OK}, {QMessageBox::Cancel, Answer::Cancel}};
    case Buttons::YesNo: return {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}};
    case Buttons::YesNoCancel:
        return {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}, {QMessageBox::Cancel, Answer::Cancel}};
    }
    return {{QMessageBox::Ok, Answer::OK}};
}

}  // namespace

GuiPrompter::~GuiPrompter() {
    while (busyDepth_-- > 0)
        QApplication::restoreOverrideCursor();
}

void GuiPrompter::setStatusPanel(int panel, QLabel *label) {
    if (panel >= 1 && panel <= 3)
        panels_[panel - 1] = label;
}

Answer GuiPrompter::msgBox(const QString &text, const MessageStyle &style, const QString &title) {
    QMessageBox box(qtIcon(style.icon), title.isEmpty() ? QStringLiteral("Lotwise") : title, shownLines(text),
                    QMessageBox::NoButton, window_);
    const std::vector<ButtonChoice> choices = buttonsOf(style.buttons);
    for (const ButtonChoice &c : choices)
        box.addButton(c.button);
    const size_t defaultIndex = std::min(choices.size() - 1, size_t(style.defaultButton));
    box.setDefaultButton(choices[defaultIndex].button);
    // The pointer shows normally over a question, even while long work keeps the busy pointer on.
    if (busyDepth_ > 0)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busyDepth_ > 0)
        QApplication::restoreOverrideCursor();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const ButtonChoice &c : choices)
        if (c.button == clicked)
            return c.answer;
    return choices.size() == 1 ? choices.front().answer : (style.buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
}

QString GuiPrompter::inputBox(const QString &prompt, const QString &title, const QString &defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(window_, title.isEmpty() ? QStringLiteral("Lotwise") : title, shownLines(prompt),
                                               QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

// Qt filters by the patterns in the last parentheses of each entry, separated by blanks; an entry that does not
// end with its patterns gets them appended, so "Round files|*.zip" still shows only zip files.
QString GuiPrompter::qtFilter(const QString &filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ').trimmed();
        const QString shown = u'(' + patterns + u')';
        if (patterns.isEmpty() || description.endsWith(shown))
            filters << description;
        else
            filters << (description.isEmpty() ? shown : description + u' ' + shown);
    }
    return filters.join(QStringLiteral(";;"));
}

QString GuiPrompter::showOpen(const FileDialog &dialog) {
    const QString start = dialog.fileName.isEmpty() ? dialog.initialDir : dialog.initialDir + u'/' + dialog.fileName;
    const QString path = QFileDialog::getOpenFileName(window_, QString(), start, qtFilter(dialog.filter));
    if (path.isEmpty() && dialog.cancelError)
        throw db::Error(db::err::DialogCancelled, QStringLiteral("Cancel was selected."));
    return path;
}

QString GuiPrompter::showSave(const FileDialog &dialog) {
    const QString start = dialog.fileName.isEmpty() ? dialog.initialDir : dialog.initialDir + u'/' + dialog.fileName;
    const QString path = QFileDialog::getSaveFileName(window_, QString(), start, qtFilter(dialog.filter));
    if (path.isEmpty() && dialog.cancelError)
        throw db::Error(db::err::DialogCancelled, QStringLiteral("Cancel was selected."));
    return path;
}

void GuiPrompter::setStatus(int panel, const QString &text) {
    if (panel >= 1 && panel <= 3 && panels_[panel - 1]) {
        panels_[panel - 1]->setText(text);
        panels_[panel - 1]->repaint();  // long work follows status texts; show them now
    }
}

void GuiPrompter::setCaption(const QString &caption) {
    if (window_)
        window_->setWindowTitle(caption);
}

void GuiPrompter::busyCursor(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busyDepth_;
    } else if (busyDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        --busyDepth_;
    }
}

void GuiPrompter::progressStart(const QString &title, int steps) {
    progressDone();
    // A batch import stops between rounds, never inside one; other long work stops at once.
    const QString stop = title == QLatin1String("Batch Import") ? QStringLiteral("Stop After This Round")
                                                                 : QStringLiteral("Cancel");
    progress_ = new QProgressDialog(QString(), stop, 0, steps, window_);
    progress_->setWindowTitle(title);
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->show();
}

bool GuiPrompter::progressStep(int done, const QString &text) {
    if (!progress_)
        return true;
    progress_->setLabelText(text);
    progress_->setValue(done);
    QApplication::processEvents();
    return !progress_->wasCanceled();
}

void GuiPrompter::progressDone() {
    if (progress_)
        progress_->deleteLater();
    progress_ = nullptr;
}

}  // namespace app
