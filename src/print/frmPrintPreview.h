// "Print Preview": the printed pages of the active data window, one at a time, as they will print; Previous/Next,
// "Page N of M", zoom, Print and Close. File > Print Preview shows it modally; it is not an MDI child.
//
// Only the page shown is read and drawn: the row count comes from SQL once on load (PageCount), and each page's
// rows are read from the window's own connection by offset when that page is shown. Print runs the data window's
// PrintGrid by name and closes the preview when it succeeded.
//
// Owned by the caller for the time it is shown (showFor makes and deletes it). The data window must outlive it.
// GUI thread only.
#pragma once

#include "print/GridPageLayout.h"
#include "print/GridRowSource.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QToolBar;

namespace app {
class Prompter;
}
namespace db {
class Error;
}
namespace grid {
class frmFlexGrid;
}

namespace print {

class PreviewArea;

class frmPrintPreview : public QDialog {
    Q_OBJECT
public:
    // Shows the window modally for activeChild, the main window's active MDI child: a data window, another
    // window, or null (refused as the window's load does).
    static void showFor(QWidget *activeChild, app::Prompter &prompter, QWidget *parent);

    frmPrintPreview(QWidget *activeChild, app::Prompter &prompter, QWidget *parent = nullptr);
    ~frmPrintPreview() override;

    // Reads the data window's page count and shows page 1. Failures are told and leave an empty page box.
    void Form_Load();
    // The toolbar's buttons by key, "Previous" or "Next"; any other key does nothing.
    void Toolbar1_ButtonClick(const QString &key);
    void cmdPrint_Click();
    void cmdClose_Click();
    // "100%", "75%", "50%" or "25%" sets that zoom; any other text changes nothing.
    void cmbZoom_Click();

    int PageCount = 0;
    int currentPage() const { return page_; }  // from 1; 0 before a page is shown

    QToolBar *Toolbar1 = nullptr;
    QAction *btnPrevious = nullptr;
    QAction *btnNext = nullptr;
    QLineEdit *txtPage = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdClose = nullptr;
    QLabel *txtZoom = nullptr;
    QComboBox *cmbZoom = nullptr;
    PreviewArea *vaSpreadPreview1 = nullptr;

private:
    void arrangeControls();
    void load(grid::frmFlexGrid &grid);
    void setPage(int page);
    void showError(const db::Error &error);

    QPointer<QWidget> activeChild_;
    app::Prompter &prompter_;
    QScrollArea *scroll_ = nullptr;
    std::unique_ptr<GridRowSource> source_;
    std::optional<GridPageLayout> layout_;
    int page_ = 0;
};

}  // namespace print
