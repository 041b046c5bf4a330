// The selection dialog of the market and bidder analyses, "Select Analysis Criteria": a label saying what to
// select and a list from which several entries can be chosen (Shift and Ctrl clicks, Ctrl+A for all).
//
// OK hides the dialog; Cancel (or Esc, or closing it) sets the Cancel flag and hides it. The dialog is kept for
// later analyses; fill() clears the flag before each showing.
//
// A widget: GUI thread only, owned by its Qt parent (the data window that runs the analyses).
#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace analysis {

class frmPivotList : public QDialog {
    Q_OBJECT
public:
    explicit frmPivotList(QWidget *parent = nullptr);

    // Sets the label, replaces the list's entries (nothing selected) and clears the Cancel flag.
    void fill(const QString &label, const QStringList &entries);
    bool cancelled() const { return cancelled_; }
    // The selected entries, in list order.
    QStringList selectedEntries() const;

    void reject() override;

    QLabel *Label1 = nullptr;
    QListWidget *List1 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    bool cancelled_ = false;
};

}  // namespace analysis
