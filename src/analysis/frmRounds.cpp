#include "analysis/frmRounds.h"

#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>

namespace analysis {

frmRounds::frmRounds(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmRounds"));
    setWindowTitle(QStringLiteral("Select Rounds & Bid Type"));
    setModal(true);
    Label3 = new QLabel(QStringLiteral("This function builds a pivot table in a workbook window of Lotwise. Enter "
                                       "the rounds you want to include in the pivot table."),
                        this);
    Label3->setWordWrap(true);
    Label1 = new QLabel(QStringLiteral("From:"), this);
    Label2 = new QLabel(QStringLiteral("To:"), this);
    mskFrom = makeRoundBox(QStringLiteral("mskFrom"));
    mskTo = makeRoundBox(QStringLiteral("mskTo"));
    Label1->setBuddy(mskFrom);
    Label2->setBuddy(mskTo);

    Frame1 = new QGroupBox(QStringLiteral("Type of Bids to Display"), this);
    optNet = new QRadioButton(QStringLiteral("Net Bids"), Frame1);
    optGross = new QRadioButton(QStringLiteral("Gross Bids"), Frame1);
    auto *options = new QVBoxLayout(Frame1);
    options->addWidget(optNet);
    options->addWidget(optGross);

    auto *buttons = new QDialogButtonBox(Qt::Horizontal, this);
    cmdOK = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    cmdCancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    auto *range = new QGridLayout();
    range->addWidget(Label1, 0, 0);
    range->addWidget(mskFrom, 0, 1);
    range->addWidget(Label2, 1, 0);
    range->addWidget(mskTo, 1, 1);
    range->setColumnStretch(2, 1);
    auto *middle = new QHBoxLayout();
    middle->addLayout(range, 1);
    middle->addWidget(Frame1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label3);
    layout->addLayout(middle);
    layout->addWidget(buttons);
    setMinimumWidth(380);
    unload();
}

// Up to four digits, as the mask "9999" takes them.
QLineEdit *frmRounds::makeRoundBox(const QString &name) {
    auto *box = new QLineEdit(this);
    box->setObjectName(name);
    box->setMaxLength(4);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), box));
    const int width = box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16;
    box->setFixedWidth(width);
    box->installEventFilter(this);
    return box;
}

// Entering a box puts the caret at its start (after Qt has placed it, hence the deferred call).
bool frmRounds::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusIn && (watched == mskFrom || watched == mskTo)) {
        auto *box = static_cast<QLineEdit *>(watched);
        QTimer::singleShot(0, box, [box] {
            box->deselect();
            box->setCursorPosition(0);
        });
    }
    return QDialog::eventFilter(watched, event);
}

void frmRounds::unload() {
    mskFrom->clear();
    mskTo->clear();
    optNet->setChecked(true);
    cancelled_ = false;
    mskFrom->setFocus();
}

bool frmRounds::gross() const { return optGross->isChecked(); }

void frmRounds::reject() { cmdCancel_Click(); }

void frmRounds::cmdOK_Click() {
    cancelled_ = false;
    accept();
}

void frmRounds::cmdCancel_Click() {
    cancelled_ = true;
    QDialog::reject();
}

}  // namespace analysis
