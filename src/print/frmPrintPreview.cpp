#include "print/frmPrintPreview.h"

#include "core/Prompter.h"
#include "db/Error.h"
#include "grid/DropDownList.h"
#include "grid/LazyTableModel.h"
#include "grid/SpreadGrid.h"
#include "grid/frmFlexGrid.h"
#include "print/PreviewArea.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace print {

namespace {

// The grid's width of each column, in points; a hidden or unsized column prints an inch wide.
std::vector<double> gridWidths(grid::frmFlexGrid &grid, int columns) {
    std::vector<double> widths;
    for (int i = 0; i < columns; ++i) {
        const int pixels = grid.MSFlexGrid1->columnWidth(i);
        widths.push_back(pixels > 0 ? pixels * kPointsPerPixel : 72.0);
    }
    return widths;
}

// Runs the data window's PrintGrid by name: whether it printed (it tells its own failures). Raises error 438 when
// the window has no PrintGrid.
bool runPrintGrid(QWidget *grid) {
    bool printed = false;
    if (!grid || !QMetaObject::invokeMethod(grid, "PrintGrid", Qt::DirectConnection, Q_RETURN_ARG(bool, printed)))
        throw db::Error(db::err::NoMethod, QStringLiteral("Object doesn't support this property or method"));
    return printed;
}

}  // namespace

frmPrintPreview::frmPrintPreview(QWidget *activeChild, app::Prompter &prompter, QWidget *parent)
    : QDialog(parent), activeChild_(activeChild), prompter_(prompter) {
    setObjectName(QStringLiteral("frmPrintPreview"));
    setWindowTitle(QStringLiteral("Print Preview"));
    setModal(true);

    Toolbar1 = new QToolBar(this);
    btnPrevious = Toolbar1->addAction(style()->standardIcon(QStyle::SP_ArrowLeft), QStringLiteral("Previous"));
    btnPrevious->setToolTip(QStringLiteral("Previous Page"));
    btnNext = Toolbar1->addAction(style()->standardIcon(QStyle::SP_ArrowRight), QStringLiteral("Next"));
    btnNext->setToolTip(QStringLiteral("Next Page"));
    connect(btnPrevious, &QAction::triggered, this, [this] { Toolbar1_ButtonClick(QStringLiteral("Previous")); });
    connect(btnNext, &QAction::triggered, this, [this] { Toolbar1_ButtonClick(QStringLiteral("Next")); });

    txtPage = new QLineEdit(this);
    txtPage->setObjectName(QStringLiteral("txtPage"));
    txtPage->setReadOnly(true);
    txtPage->setFocusPolicy(Qt::NoFocus);
    cmdPrint = new QPushButton(QStringLiteral("Print"), this);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdPrint->setAutoDefault(false);
    cmdClose->setAutoDefault(false);
    txtZoom = new QLabel(QStringLiteral("Zoom:"), this);
    cmbZoom = new QComboBox(this);
    cmbZoom->setEditable(false);
    cmbZoom->addItems({QStringLiteral("100%"), QStringLiteral("75%"), QStringLiteral("50%"), QStringLiteral("25%")});
    cmbZoom->setCurrentIndex(-1);
    txtZoom->setBuddy(cmbZoom);
    connect(cmdPrint, &QPushButton::clicked, this, &frmPrintPreview::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmPrintPreview::cmdClose_Click);
    connect(cmbZoom, &QComboBox::activated, this, &frmPrintPreview::cmbZoom_Click);

    vaSpreadPreview1 = new PreviewArea;
    scroll_ = new QScrollArea(this);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setWidget(vaSpreadPreview1);
    scroll_->setWidgetResizable(true);
    arrangeControls();
    resize(900, 700);
}

frmPrintPreview::~frmPrintPreview() = default;

// The toolbar, the page box and the zoom list along the top with Print and Close; the page below.
void frmPrintPreview::arrangeControls() {
    auto *top = new QHBoxLayout;
    top->addWidget(Toolbar1);
    top->addWidget(txtPage);
    top->addSpacing(12);
    top->addWidget(txtZoom);
    top->addWidget(cmbZoom);
    top->addStretch(1);
    top->addWidget(cmdPrint);
    top->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(scroll_, 1);
    txtPage->setFixedWidth(txtPage->fontMetrics().horizontalAdvance(QStringLiteral("Page 88888 of 88888")) + 12);
}

void frmPrintPreview::showFor(QWidget *activeChild, app::Prompter &prompter, QWidget *parent) {
    frmPrintPreview window(activeChild, prompter, parent);
    window.Form_Load();
    window.exec();
}

void frmPrintPreview::Form_Load() {
    try {
        auto *grid = qobject_cast<grid::frmFlexGrid *>(activeChild_.data());
        if (!grid)
            throw db::Error(db::err::NoObject, QStringLiteral("Object variable or With block variable not set"));
        load(*grid);
        txtPage->setText(QStringLiteral("Page 1 of %1").arg(PageCount));
    } catch (const db::Error &error) {
        source_.reset();
        layout_.reset();
        PageCount = 0;
        page_ = 0;
        vaSpreadPreview1->clear();
        txtPage->clear();
        if (error.number() == db::err::NoObject)
            prompter_.msgBox(QStringLiteral("You must have an active grid displayed."),
                             {app::Buttons::OK, app::Icon::Exclamation}, QStringLiteral("Error!"));
        else
            showError(error);
    }
}

// The layout the data window prints: its rows read afresh by SQL, its column widths, settings and breaks.
void frmPrintPreview::load(grid::frmFlexGrid &grid) {
    if (!grid.Data1 || grid.Data1->databasePath().isEmpty() || grid.shownStatement().isEmpty())
        throw db::Error(db::err::NoObject, QStringLiteral("Object variable or With block variable not set"));
    source_ = std::make_unique<GridRowSource>(grid.Data1->databasePath(), grid.shownStatement());
    LayoutInput input;
    input.headings = source_->headings();
    input.widths = gridWidths(grid, int(input.headings.size()));
    input.rowCount = source_->rowCount();
    input.settings = grid.printSettings();
    input.breaks = grid.pageBreaks();
    const QString round = grid.ddlRoundNum->isEnabled() ? grid.ddlRoundNum->currentText() : QString();
    input.footer = {grid.ddlTableName->currentText(), round};
    layout_.emplace(std::move(input));
    PageCount = layout_->pageCount();
    setPage(1);
}

// Reads and draws the page, then tells its number in the page box.
void frmPrintPreview::setPage(int page) {
    vaSpreadPreview1->showPage(*layout_, *source_, page - 1);
    page_ = page;
    txtPage->setText(QStringLiteral("Page %1 of %2").arg(page).arg(PageCount));
}

void frmPrintPreview::Toolbar1_ButtonClick(const QString &key) {
    if (!layout_ || page_ < 1)
        return;
    try {
        if (key == QLatin1String("Next") && page_ != PageCount)
            setPage(page_ + 1);
        else if (key == QLatin1String("Previous") && page_ != 1)
            setPage(page_ - 1);
    } catch (const db::Error &error) {
        showError(error);
    }
}

void frmPrintPreview::cmbZoom_Click() {
    static const QStringList zooms{QStringLiteral("100%"), QStringLiteral("75%"), QStringLiteral("50%"),
                                   QStringLiteral("25%")};
    const QString text = cmbZoom->currentText();
    if (!zooms.contains(text))
        return;
    const int percent = text.chopped(1).toInt();
    scroll_->setWidgetResizable(false);
    vaSpreadPreview1->setZoom(percent);
}

void frmPrintPreview::cmdPrint_Click() {
    try {
        if (runPrintGrid(activeChild_.data()))
            accept();
    } catch (const db::Error &error) {
        showError(error);
    }
}

void frmPrintPreview::cmdClose_Click() { reject(); }

void frmPrintPreview::showError(const db::Error &error) {
    prompter_.msgBox(QStringLiteral("Error: %1 %2").arg(error.number()).arg(error.description()), {}, {});
}

}  // namespace print
