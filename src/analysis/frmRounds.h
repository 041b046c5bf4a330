// The rounds dialog of the pivot analyses, "Select Rounds & Bid Type": the range of rounds (From/To, up to four
// digits each) and gross or net amounts.
//
// OK hides the dialog and keeps its entries for the next analysis; Cancel (or Esc, or closing it) sets the
// Cancel flag and hides it. The caller reads cancelled() after each showing and calls unload() after a cancel or
// an empty From, which puts back the design values and clears the flag.
//
// A widget: GUI thread only, owned by its Qt parent (the data window that runs the analyses).
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace analysis {

class frmRounds : public QDialog {
    Q_OBJECT
public:
    explicit frmRounds(QWidget *parent = nullptr);

    bool cancelled() const { return cancelled_; }
    // The design values: both boxes empty, Net Bids chosen, the Cancel flag cleared.
    void unload();
    bool gross() const;

    // Esc and the title bar's close button act as Cancel.
    void reject() override;

    QLabel *Label3 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *mskFrom = nullptr;
    QLineEdit *mskTo = nullptr;
    QGroupBox *Frame1 = nullptr;
    QRadioButton *optNet = nullptr;
    QRadioButton *optGross = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cmdOK_Click();
    void cmdCancel_Click();
    QLineEdit *makeRoundBox(const QString &name);

    bool cancelled_ = false;
};

}  // namespace analysis
