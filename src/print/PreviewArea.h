// The page area of the print preview: one page of a GridPageLayout drawn from the rows of that page alone, at a
// zoom percentage (100 is the paper's size on screen) or, before a zoom is chosen, fitted to the area.
//
// Holds pointers to a layout and a row source that the caller (frmPrintPreview) owns and keeps alive while they
// are set. GUI thread only.
#pragma once

#include "print/GridRowSource.h"

#include <QWidget>

namespace print {

class GridPageLayout;

class PreviewArea : public QWidget {
    Q_OBJECT
public:
    explicit PreviewArea(QWidget *parent = nullptr);

    // Shows page `index` (0-based) of layout, reading its rows from source. Raises db::Error when they cannot be
    // read; the area then shows nothing.
    void showPage(const GridPageLayout &layout, GridRowSource &source, int index);
    void clear();
    // 0 fits the page to the area; else the percentage of the paper's size. Resizes the area to the page.
    void setZoom(int percent);
    int zoom() const { return zoom_; }
    // Screen pixels per point at the current zoom and size.
    double scale() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const GridPageLayout *layout_ = nullptr;
    int index_ = -1;
    std::vector<PrintRow> rows_;
    int zoom_ = 0;
};

}  // namespace print
