// The one seam between the program's procedures and the person using them: message boxes, input boxes, the
// file dialogs, status bar texts, the busy pointer and progress of long work.
//
// The procedures (ImportRound, CreateAuction, BatchImport, ...) live in core and talk to the user only through a
// Prompter, so the same code runs behind the desktop program, the command line and the tests. Texts keep the
// program's character 13 line joints; an implementation that shows them turns them into line breaks.
//
// Implementations are used from the thread that runs the procedures (the GUI thread in the desktop program).
#pragma once

#include <QString>

namespace app {

// The character that joins the lines of the program's messages (a carriage return alone).
inline constexpr QChar CR{13};

// A message with its CR joints shown as line breaks.
inline QString shownLines(const QString &text) { return QString(text).replace(CR, u'\n'); }

enum class Buttons { OK, OKCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Exclamation, Critical, Question };
enum class DefaultButton { First, Second, Third };
enum class Answer { OK, Cancel, Yes, No };

struct MessageStyle {
    Buttons buttons = Buttons::OK;
    Icon icon = Icon::None;
    DefaultButton defaultButton = DefaultButton::First;
};

// The answer a message box gives when the user just presses Enter.
Answer defaultAnswer(const MessageStyle &style);

struct FileDialog {
    QString filter;        // "Zip (*.zip)|*.zip": pairs of description and pattern joined by "|"
    QString initialDir;
    QString fileName;      // the initial file name, if any
    int flags = 0;
    bool cancelError = true;  // cancelling raises error 32755 instead of returning an empty name
};

// Panels of the main window's status bar, by position.
inline constexpr int kStatusPanelText = 1;
inline constexpr int kStatusPanelResult = 3;

class Prompter {
public:
    virtual ~Prompter() = default;

    // An empty title is the program's title, "Lotwise".
    virtual Answer msgBox(const QString &text, const MessageStyle &style, const QString &title) = 0;
    virtual QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) = 0;
    // The chosen path; on cancel, db::Error 32755 when cancelError is set, else an empty text.
    virtual QString showOpen(const FileDialog &dialog) = 0;
    virtual QString showSave(const FileDialog &dialog) = 0;

    virtual void setStatus(int panel, const QString &text) = 0;
    virtual void setCaption(const QString &caption) = 0;  // the main window's caption
    virtual void busyCursor(bool on) = 0;

    // Long work: start with the number of steps, report each, finish. step() returns false once the user has
    // asked to stop; the work then ends after the current step.
    virtual void progressStart(const QString &title, int steps) = 0;
    virtual bool progressStep(int done, const QString &text) = 0;
    virtual void progressDone() = 0;
};

// Shows the busy pointer for as long as it lives.
class BusyCursor {
public:
    explicit BusyCursor(Prompter &prompter) : prompter_(prompter) { prompter_.busyCursor(true); }
    ~BusyCursor() { prompter_.busyCursor(false); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    Prompter &prompter_;
};

}  // namespace app
