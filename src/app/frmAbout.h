// The About window: the program's icon, title, version, what it is for, a disclaimer, and a button that starts
// the system information program when the machine has one.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace app {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    // Starts the system information program; shows the program's message when there is none.
    void StartSysInfo();
    // One text value of the machine-wide settings store, by key path and value name.
    static bool GetKeyValue(const QString &keyPath, const QString &valueName, QString *value);

    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    QPlainTextEdit *Text1 = nullptr;
};

}  // namespace app
