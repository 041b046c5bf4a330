#include "print/frmPrintOptions.h"

#include "core/Prompter.h"

namespace print {

frmPrintOptions::frmPrintOptions(QWidget *parent) : QDialog(parent) {}

void frmPrintOptions::showFor(QWidget *, app::Prompter &prompter, QWidget *) {
    prompter.msgBox(QStringLiteral("Error: 438 Object doesn't support this property or method"), {}, {});
}

}  // namespace print
