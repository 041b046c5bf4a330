// "Print Options": the margins (in inches) and orientation of the active data window's print settings. File >
// Print Setup shows it modally.
//
// Owned by the caller for the time it is shown (showFor makes and deletes it). GUI thread only.
#pragma once

#include <QDialog>

namespace app {
class Prompter;
}

namespace print {

class frmPrintOptions : public QDialog {
    Q_OBJECT
public:
    // Shows the dialog modally for activeChild, the main window's active MDI child: a data window, another
    // window, or null (refused as the dialog's load does).
    static void showFor(QWidget *activeChild, app::Prompter &prompter, QWidget *parent);

protected:
    explicit frmPrintOptions(QWidget *parent = nullptr);
};

}  // namespace print
