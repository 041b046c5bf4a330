// The opening choice: open an existing auction, create a new one, or batch import a new one. Modal; Continue
// hides it (the caller reads the options), Cancel ends the program, Help opens the help book.
#pragma once

#include <QDialog>

class QRadioButton;

namespace app {

class frmOpeningQuestions : public QDialog {
    Q_OBJECT
public:
    explicit frmOpeningQuestions(QWidget *parent = nullptr);

    enum class Choice { Existing, New, Batch };
    Choice choice() const;
    void choose(Choice choice);  // for tests and keyboard-less use

    QRadioButton *optExisting = nullptr;
    QRadioButton *optNew = nullptr;
    QRadioButton *optBatch = nullptr;
};

}  // namespace app
