// The desktop program's Prompter: message boxes, input boxes and file dialogs over the main window, its status
// bar panels and caption, the busy pointer, and a progress dialog for long work. Used on the GUI thread only.
#pragma once

#include "core/Prompter.h"

#include <QPointer>

class QMainWindow;
class QProgressDialog;
class QLabel;

namespace app {

class GuiPrompter : public Prompter {
public:
    GuiPrompter() = default;
    ~GuiPrompter() override;

    // The window that owns the dialogs and whose caption and status bar panels are set; may change over a run.
    void setWindow(QMainWindow *window) { window_ = window; }
    // The label that stands for status bar panel `panel` (1 to 3).
    void setStatusPanel(int panel, QLabel *label);

    Answer msgBox(const QString &text, const MessageStyle &style, const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    QString showOpen(const FileDialog &dialog) override;
    QString showSave(const FileDialog &dialog) override;
    void setStatus(int panel, const QString &text) override;
    void setCaption(const QString &caption) override;
    void busyCursor(bool on) override;
    void progressStart(const QString &title, int steps) override;
    bool progressStep(int done, const QString &text) override;
    void progressDone() override;

    // "Zip (*.zip)|*.zip" as Qt writes file filters: "Zip (*.zip)"; "Rounds|*.zip;*.ZIP" gives
    // "Rounds (*.zip *.ZIP)". Entries are joined with ";;".
    static QString qtFilter(const QString &filter);

private:
    QPointer<QMainWindow> window_;
    QPointer<QLabel> panels_[3];
    QPointer<QProgressDialog> progress_;
    int busyDepth_ = 0;
};

}  // namespace app
