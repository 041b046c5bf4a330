#include "tables/frmTableActions.h"

#include "tables/MoveList.h"
#include "tables/frmTableActionsPrivate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tables {

namespace {

QLabel *heading(const QString &text, QWidget *buddy, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QComboBox *dropDown(const QStringList &items, QWidget *parent) {
    auto *box = new QComboBox(parent);
    box->addItems(items);
    box->setCurrentIndex(0);
    return box;
}

}  // namespace

frmTableActions::frmTableActions(ValueSource source, QWidget *parent) : QDialog(parent), d_(new Private) {
    d_->source = std::move(source);
    setWindowTitle(QStringLiteral("Table Actions"));
    SSTab1 = new QTabWidget(this);
    SSTab1->addTab(buildSortTab(), QStringLiteral("Sort"));
    SSTab1->addTab(buildFilterTab(), QStringLiteral("Filter"));
    SSTab1->addTab(buildWizardTab(), QStringLiteral("Table Wizard"));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &frmTableActions::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);
    connectMoves();
    for (int row = 0; row < 4; ++row)
        setupValueBox(row);
    resize(560, 360);
}

frmTableActions::~frmTableActions() {
    for (auto &row : d_->rows)  // no loader outlives the dialog it posts to
        row.loader.reset();
    d_->retired.clear();
}

QWidget *frmTableActions::buildSortTab() {
    auto *tab = new QWidget;
    lstSource = new MoveList(tab);
    lstSource->setObjectName(QStringLiteral("lstSource"));
    lstSource->setSelectionMode(QAbstractItemView::SingleSelection);
    lstSortCols = new MoveList(tab);
    lstSortCols->setObjectName(QStringLiteral("lstSortCols"));
    lstSortCols->setSelectionMode(QAbstractItemView::MultiSelection);  // a click toggles: selected = ascending
    auto *grid = new QGridLayout(tab);
    grid->addWidget(heading(QStringLiteral("Source Data"), lstSource, tab), 0, 0, Qt::AlignBottom);
    grid->addWidget(heading(QStringLiteral("Ascending\nColumns"), lstSortCols, tab), 0, 1, Qt::AlignBottom);
    grid->addWidget(lstSource, 1, 0);
    grid->addWidget(lstSortCols, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Drag and drop or double click items."), tab), 2, 0, 1, 2);
    return tab;
}

QWidget *frmTableActions::buildFilterTab() {
    auto *tab = new QWidget;
    auto *grid = new QGridLayout(tab);
    const QStringList headings{QStringLiteral("Column"), QStringLiteral("Operator"), QStringLiteral("Filter"),
                               QStringLiteral("And/Or")};
    for (int c = 0; c < headings.size(); ++c)
        grid->addWidget(new QLabel(headings[c], tab), 0, c);
    const QStringList operators{QStringLiteral("="), QStringLiteral("<>"), QStringLiteral(">"),
                                QStringLiteral(">="), QStringLiteral("<"), QStringLiteral("<=")};
    for (int row = 0; row < 4; ++row) {
        lstFiltCol[row] = new QComboBox(tab);  // a drop-down list: no typing
        lstFiltCol[row]->setObjectName(QStringLiteral("lstFiltCol%1").arg(row + 1));
        lstFiltCol[row]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        lstFiltCol[row]->setMinimumContentsLength(12);
        lstOp[row] = dropDown(operators, tab);
        lstOp[row]->setObjectName(QStringLiteral("lstOp%1").arg(row + 1));
        txtFilter[row] = new QComboBox(tab);
        txtFilter[row]->setObjectName(QStringLiteral("txtFilter%1").arg(row + 1));
        grid->addWidget(lstFiltCol[row], row + 1, 0);
        grid->addWidget(lstOp[row], row + 1, 1);
        grid->addWidget(txtFilter[row], row + 1, 2);
        if (row < 3) {
            lstAndOr[row] = dropDown({QStringLiteral("And"), QStringLiteral("Or")}, tab);
            lstAndOr[row]->setObjectName(QStringLiteral("lstAndOr%1").arg(row + 1));
            grid->addWidget(lstAndOr[row], row + 1, 3);
        }
    }
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(2, 3);
    grid->setRowStretch(5, 1);
    for (int row = 0; row < 4; ++row) {  // along each row, then down
        QWidget::setTabOrder(lstFiltCol[row], lstOp[row]);
        QWidget::setTabOrder(lstOp[row], txtFilter[row]);
        if (row < 3) {
            QWidget::setTabOrder(txtFilter[row], lstAndOr[row]);
            QWidget::setTabOrder(lstAndOr[row], lstFiltCol[row + 1]);
        }
    }
    return tab;
}

QWidget *frmTableActions::buildWizardTab() {
    auto *tab = new QWidget;
    lstSourceTable = new MoveList(tab);
    lstSourceTable->setObjectName(QStringLiteral("lstSourceTable"));
    lstTargetTable = new MoveList(tab);
    lstTargetTable->setObjectName(QStringLiteral("lstTargetTable"));
    txtTableName = new QLineEdit(tab);
    txtTableName->setObjectName(QStringLiteral("txtTableName"));
    chkIncludeAll = new QCheckBox(QStringLiteral("Include All Rounds"), tab);
    chkIncludeAll->setChecked(false);
    chkIncludeAll->setEnabled(false);
    chkIncludeAll->setToolTip(QStringLiteral(
        "Has no effect: every table the Table Wizard builds is built from every round of its source table."));
    auto *grid = new QGridLayout(tab);
    grid->addWidget(heading(QStringLiteral("Source Table"), lstSourceTable, tab), 0, 0);
    grid->addWidget(heading(QStringLiteral("Target Table"), lstTargetTable, tab), 0, 1);
    grid->addWidget(lstSourceTable, 1, 0);
    grid->addWidget(lstTargetTable, 1, 1);
    auto *name = new QHBoxLayout;
    name->addWidget(heading(QStringLiteral("Target Table Name:"), txtTableName, tab));
    name->addWidget(txtTableName, 1);
    grid->addLayout(name, 2, 0, 1, 2);
    grid->addWidget(chkIncludeAll, 3, 0, 1, 2);
    return tab;
}

void frmTableActions::reject() {
    Cancelled = true;
    QDialog::reject();
}

void frmTableActions::setErrorReporter(std::function<void(const QString &message)> report) {
    d_->reportError = std::move(report);
}

void frmTableActions::showTab(Tab tab, bool wizardEnabled) {
    SSTab1->setTabEnabled(WizardTab, wizardEnabled);
    if (tab == WizardTab && !wizardEnabled)
        tab = SortTab;
    SSTab1->setCurrentIndex(tab);
}

TableChoices frmTableActions::choices() const {
    TableChoices result;
    for (int i = 0; i < lstSortCols->count(); ++i) {
        const QListWidgetItem *item = lstSortCols->item(i);
        result.sort.push_back({item->text(), item->isSelected()});
    }
    for (int row = 0; row < 4; ++row)
        result.rows[size_t(row)] = {lstFiltCol[row]->currentText(), lstOp[row]->currentText(),
                                    txtFilter[row]->currentText()};
    for (int j = 0; j < 3; ++j)
        result.joints[size_t(j)] = lstAndOr[j]->currentText();
    for (int i = 0; i < lstTargetTable->count(); ++i)
        result.target.push_back(lstTargetTable->item(i)->text());
    result.tableName = txtTableName->text();
    result.includeAllRounds = chkIncludeAll->isChecked();
    return result;
}

}  // namespace tables
