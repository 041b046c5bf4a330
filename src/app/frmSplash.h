// The splash window shown while the main window loads: the logo, the agency's name, the product name and the
// version. Frameless; closes itself when the main window is shown.
#pragma once

#include <QWidget>

class QLabel;

namespace app {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);
    QLabel *lblVersion = nullptr;
};

}  // namespace app
