// A drop-down list that tells when it is about to drop down and when it loses the focus, so that the data window
// can refill it just before it opens and put back its entry when it is left with none selected. A long list (a
// hundred rounds and more) scrolls in a popup of kVisibleItems entries instead of filling the screen.
#pragma once

#include <QAbstractItemView>
#include <QComboBox>

namespace grid {

class DropDownList : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kVisibleItems = 15;

    explicit DropDownList(QWidget *parent = nullptr) : QComboBox(parent) {
        setMaxVisibleItems(kVisibleItems);
        // Styles that open the popup over the current entry (Fusion among them) ignore the count without this.
        setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    }

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
