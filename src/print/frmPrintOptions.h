// "Print Options": the margins (in inches) and orientation of the active data window's print settings. File >
// Print Setup shows it modally.
//
// Made for one showing: the window it edits (a data window, another window or null) is fixed when it is made
// and must outlive the dialog. Owned by the caller (showFor makes and deletes it). GUI thread only.
#pragma once

#include <QDialog>
#include <QPointer>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace app {
class Prompter;
}
namespace grid {
class frmFlexGrid;
}

namespace print {

class frmPrintOptions : public QDialog {
    Q_OBJECT
public:
    // Shows the dialog modally for activeChild, the main window's active MDI child: a data window, another
    // window, or null (refused as the dialog's load does).
    static void showFor(QWidget *activeChild, app::Prompter &prompter, QWidget *parent);

    frmPrintOptions(QWidget *activeChild, app::Prompter &prompter, QWidget *parent = nullptr);

    // Fills the boxes from the window's settings; a failure is shown and leaves the boxes as designed.
    void Form_Load();
    // Writes the boxes to the window's settings, closes the dialog and redraws the window's page-break marks; a
    // failure is shown and the dialog stays open.
    void cmdOK_Click();
    void cmdCancel_Click();

    QRadioButton *optLandscape = nullptr;
    QRadioButton *optPortrait = nullptr;
    QLineEdit *meLeft = nullptr;
    QLineEdit *meTop = nullptr;
    QLineEdit *meRight = nullptr;
    QLineEdit *meBottom = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    void buildForm();
    grid::frmFlexGrid &dataWindow() const;  // raises db::Error 91 or 438
    void writeSettings();

    QPointer<QWidget> activeChild_;
    app::Prompter &prompter_;
};

// A margin in twips as the dialog's box shows it in inches: "0.00", or "0" when negative.
QString marginText(double twips);

}  // namespace print
