#include "app/frmSplash.h"

#include "app/Version.h"

#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace app {

frmSplash::frmSplash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(36, 28, 36, 24);
    auto *logo = new QLabel(frame);
    logo->setPixmap(QPixmap(QStringLiteral(":/lotwise/lotwise.png")).scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    logo->setAlignment(Qt::AlignCenter);
    auto *agency = new QLabel(QStringLiteral("Tavren"), frame);
    auto *product = new QLabel(QStringLiteral("Lotwise"), frame);
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 2.4);
    big.setBold(true);
    product->setFont(big);
    lblVersion = new QLabel(versionLabel(), frame);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    layout->addWidget(logo);
    for (QLabel *label : {agency, product, lblVersion}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    adjustSize();
}

}  // namespace app
