// "Print Preview": the printed pages of the active data window, one at a time, as they will print; Previous/Next,
// "Page N of M", zoom, Print and Close. File > Print Preview shows it modally; it is not an MDI child.
//
// Owned by the caller for the time it is shown (showFor makes and deletes it). GUI thread only.
#pragma once

#include <QDialog>

namespace app {
class Prompter;
}

namespace print {

class frmPrintPreview : public QDialog {
    Q_OBJECT
public:
    // Shows the window modally for activeChild, the main window's active MDI child: a data window, another
    // window, or null (refused as the window's load does).
    static void showFor(QWidget *activeChild, app::Prompter &prompter, QWidget *parent);

protected:
    explicit frmPrintPreview(QWidget *parent = nullptr);
};

}  // namespace print
