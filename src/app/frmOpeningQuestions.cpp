#include "app/frmOpeningQuestions.h"

#include "app/HelpWindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

frmOpeningQuestions::frmOpeningQuestions(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmOpeningQuestions"));
    setWindowTitle(QStringLiteral("Open an Existing Auction or Create a New One?"));
    auto *layout = new QVBoxLayout(this);
    auto *group = new QGroupBox(this);
    auto *options = new QVBoxLayout(group);
    optExisting = new QRadioButton(QStringLiteral("Open an &Existing Auction"), group);
    optNew = new QRadioButton(QStringLiteral("Create a &New Auction"), group);
    optBatch = new QRadioButton(QStringLiteral("&Batch Import a New Auction"), group);
    for (QRadioButton *option : {optExisting, optNew, optBatch})
        options->addWidget(option);
    optExisting->setObjectName(QStringLiteral("optExisting"));
    optNew->setObjectName(QStringLiteral("optNew"));
    optBatch->setObjectName(QStringLiteral("optBatch"));
    optExisting->setChecked(true);
    layout->addWidget(group);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *cmdContinue = buttons->addButton(QStringLiteral("Continue"), QDialogButtonBox::AcceptRole);
    QPushButton *cmdCancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QPushButton *cmdHelp = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    cmdContinue->setObjectName(QStringLiteral("cmdContinue"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdContinue->setDefault(true);
    layout->addWidget(buttons);
    connect(cmdContinue, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp, &QPushButton::clicked, this, [this] { HelpWindow::showHelp(this, false); });
    // Room for the whole title beside the title bar's buttons (window managers cut a title that does not fit).
    const int title = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(windowTitle());
    setMinimumWidth(std::max(360, title * 5 / 4 + 120));
}

frmOpeningQuestions::Choice frmOpeningQuestions::choice() const {
    if (optNew->isChecked())
        return Choice::New;
    if (optBatch->isChecked())
        return Choice::Batch;
    return Choice::Existing;
}

void frmOpeningQuestions::choose(Choice choice) {
    (choice == Choice::New ? optNew : choice == Choice::Batch ? optBatch : optExisting)->setChecked(true);
}

}  // namespace app
