#include "analysis/frmPivotList.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace analysis {

frmPivotList::frmPivotList(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPivotList"));
    setWindowTitle(QStringLiteral("Select Analysis Criteria"));
    setModal(true);
    Label1 = new QLabel(QStringLiteral("Select the Licenses to Analyze"), this);
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List1->setUniformItemSizes(true);
    Label1->setBuddy(List1);

    auto *buttons = new QDialogButtonBox(Qt::Horizontal, this);
    cmdOK = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    cmdCancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        cancelled_ = false;
        accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &frmPivotList::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(List1, 1);
    layout->addWidget(buttons);
    resize(340, 420);
}

void frmPivotList::fill(const QString &label, const QStringList &entries) {
    Label1->setText(label);
    List1->clear();
    List1->addItems(entries);
    if (List1->count())
        List1->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    List1->setFocus();
    cancelled_ = false;
}

QStringList frmPivotList::selectedEntries() const {
    QStringList entries;
    for (int row = 0; row < List1->count(); ++row)
        if (List1->item(row)->isSelected())
            entries << List1->item(row)->text();
    return entries;
}

void frmPivotList::reject() {
    cancelled_ = true;
    QDialog::reject();
}

}  // namespace analysis
