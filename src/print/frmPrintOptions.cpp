#include "print/frmPrintOptions.h"

#include "core/Prompter.h"
#include "db/Error.h"
#include "grid/frmFlexGrid.h"
#include "print/PrintSettings.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace print {

namespace {

// One digit, the point, two digits; "_" where nothing is typed.
QLineEdit *marginBox(QWidget *parent) {
    auto *box = new QLineEdit(parent);
    box->setInputMask(QStringLiteral("9.99;_"));
    box->setMaxLength(4);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    return box;
}

// The box's text as inches: the text typed (prompts left out) read as a number, else error 13.
double inches(const QLineEdit *box) {
    bool ok = false;
    const double value = box->text().trimmed().toDouble(&ok);
    if (!ok)
        throw db::Error(db::err::TypeMismatchRuntime, QStringLiteral("Type mismatch"));
    return value;
}

}  // namespace

QString marginText(double twips) {
    const float value = float(twips / kTwipsPerInch);  // held in single precision, as the grid's value is read
    return value < 0 ? QStringLiteral("0") : QString::number(double(value), 'f', 2);
}

frmPrintOptions::frmPrintOptions(QWidget *activeChild, app::Prompter &prompter, QWidget *parent)
    : QDialog(parent), activeChild_(activeChild), prompter_(prompter) {
    buildForm();
}

void frmPrintOptions::buildForm() {
    setWindowTitle(QStringLiteral("Print Options"));
    auto *fOrient = new QGroupBox(QStringLiteral("Page Orientation"), this);
    optLandscape = new QRadioButton(QStringLiteral("Landscape"), fOrient);
    optPortrait = new QRadioButton(QStringLiteral("Portrait"), fOrient);
    optLandscape->setChecked(true);
    auto *orient = new QVBoxLayout(fOrient);
    orient->addWidget(optLandscape);
    orient->addWidget(optPortrait);
    orient->addStretch();

    auto *fMargins = new QGroupBox(QStringLiteral("Margins"), this);
    meLeft = marginBox(fMargins);
    meTop = marginBox(fMargins);
    meRight = marginBox(fMargins);
    meBottom = marginBox(fMargins);
    auto *margins = new QFormLayout(fMargins);
    margins->addRow(QStringLiteral("Left:"), meLeft);
    margins->addRow(QStringLiteral("Top:"), meTop);
    margins->addRow(QStringLiteral("Right:"), meRight);
    margins->addRow(QStringLiteral("Bottom:"), meBottom);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdOK->setDefault(true);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(fOrient);
    layout->addWidget(fMargins);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(cmdOK, &QPushButton::clicked, this, &frmPrintOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPrintOptions::cmdCancel_Click);
}

grid::frmFlexGrid &frmPrintOptions::dataWindow() const {
    if (!activeChild_)
        throw db::Error(db::err::NoObject, QStringLiteral("Object variable or With block variable not set"));
    auto *window = qobject_cast<grid::frmFlexGrid *>(activeChild_.data());
    if (!window)
        throw db::Error(db::err::NoMethod, QStringLiteral("Object doesn't support this property or method"));
    return *window;
}

void frmPrintOptions::Form_Load() {
    try {
        const PrintSettings settings = dataWindow().printSettings();
        meLeft->setText(marginText(settings.marginLeft));
        meTop->setText(marginText(settings.marginTop));
        meRight->setText(marginText(settings.marginRight));
        meBottom->setText(marginText(settings.marginBottom));
        if (settings.orientation == kLandscape)
            optLandscape->setChecked(true);
        else if (settings.orientation == kPortrait)
            optPortrait->setChecked(true);
    } catch (const db::Error &error) {
        if (error.number() == db::err::NoObject)
            prompter_.msgBox(QStringLiteral("You must have an active grid displayed."),
                             {app::Buttons::OK, app::Icon::Exclamation}, QStringLiteral("Error!"));
        else
            prompter_.msgBox(QStringLiteral("Error: %1 %2").arg(error.number()).arg(error.description()), {}, {});
    }
}

// Each margin is written as soon as it is read, so a bad box leaves the ones before it written.
void frmPrintOptions::writeSettings() {
    grid::frmFlexGrid &window = dataWindow();
    const std::pair<QLineEdit *, double PrintSettings::*> margins[] = {{meLeft, &PrintSettings::marginLeft},
                                                                       {meRight, &PrintSettings::marginRight},
                                                                       {meTop, &PrintSettings::marginTop},
                                                                       {meBottom, &PrintSettings::marginBottom}};
    for (const auto &[box, member] : margins) {
        PrintSettings settings = window.printSettings();
        settings.*member = inches(box) * kTwipsPerInch;
        window.setPrintSettings(settings);
    }
    PrintSettings settings = window.printSettings();
    settings.orientation = optLandscape->isChecked() ? kLandscape : kPortrait;
    window.setPrintSettings(settings);
}

void frmPrintOptions::cmdOK_Click() {
    try {
        writeSettings();
        accept();
        grid::frmFlexGrid &window = dataWindow();
        window.PBreak_Clear();
        window.PBreak_Refresh();
    } catch (const db::Error &error) {
        prompter_.msgBox(QStringLiteral("Error: %1 %2").arg(error.number()).arg(error.description()), {}, {});
    }
}

void frmPrintOptions::cmdCancel_Click() { reject(); }

void frmPrintOptions::showFor(QWidget *activeChild, app::Prompter &prompter, QWidget *parent) {
    frmPrintOptions dialog(activeChild, prompter, parent);
    dialog.Form_Load();
    dialog.exec();
}

}  // namespace print
