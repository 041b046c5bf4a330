#include "print/frmPrintPreview.h"

#include "core/Prompter.h"

namespace print {

frmPrintPreview::frmPrintPreview(QWidget *parent) : QDialog(parent) {}

void frmPrintPreview::showFor(QWidget *, app::Prompter &prompter, QWidget *) {
    prompter.msgBox(QStringLiteral("Error: 438 Object doesn't support this property or method"), {}, {});
}

}  // namespace print
