// A drop-down list that tells when it is about to drop down and when it loses the focus, so that the data window
// can refill it just before it opens and put back its entry when it is left with none selected.
#pragma once

#include <QAbstractItemView>
#include <QComboBox>

namespace grid {

class DropDownList : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override {
        emit droppingDown();
        QComboBox::showPopup();
    }

signals:
    void droppingDown();
    void focusLost();

protected:
    void focusOutEvent(QFocusEvent *event) override {
        QComboBox::focusOutEvent(event);
        if (!view()->isVisible())
            emit focusLost();
    }
};

}  // namespace grid
