#include "print/PreviewArea.h"

#include "print/GridPageLayout.h"
#include "print/GridPagePainter.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace print {

namespace {

constexpr int kBorder = 8;  // grey around the paper, in pixels

}  // namespace

PreviewArea::PreviewArea(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("vaSpreadPreview1"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Dark);
}

void PreviewArea::showPage(const GridPageLayout &layout, GridRowSource &source, int index) {
    clear();
    const PageBand band = layout.page(index);
    rows_ = source.rows(band.firstRow, band.rowCount);
    layout_ = &layout;
    index_ = index;
    setZoom(zoom_);
}

void PreviewArea::clear() {
    layout_ = nullptr;
    index_ = -1;
    rows_.clear();
    update();
}

void PreviewArea::setZoom(int percent) {
    zoom_ = percent;
    if (layout_ && zoom_ > 0)
        resize(sizeHint());
    updateGeometry();
    update();
}

double PreviewArea::scale() const {
    if (!layout_)
        return 1;
    const QRectF paper = layout_->paperRect();
    if (zoom_ > 0)
        return zoom_ / 100.0 * logicalDpiX() / 72.0;
    const double across = (width() - 2 * kBorder) / paper.width();
    const double down = (height() - 2 * kBorder) / paper.height();
    return std::max(0.05, std::min(across, down));
}

QSize PreviewArea::sizeHint() const {
    if (!layout_ || zoom_ <= 0)
        return {400, 500};
    const QSizeF paper = layout_->paperRect().size() * scale();
    return {int(paper.width()) + 2 * kBorder, int(paper.height()) + 2 * kBorder};
}

void PreviewArea::paintEvent(QPaintEvent *) {
    if (!layout_ || index_ < 0)
        return;
    QPainter painter(this);
    const double s = scale();
    const QSizeF paper = layout_->paperRect().size() * s;
    const QPointF origin(std::max<double>(kBorder, (width() - paper.width()) / 2),
                         std::max<double>(kBorder, (height() - paper.height()) / 2));
    painter.fillRect(QRectF(origin, paper), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);  // a widget's painter starts with its palette's text colour, light on Dark
    painter.translate(origin);
    painter.scale(s, s);
    paintPage(painter, *layout_, index_, rows_);
}

}  // namespace print
