// Painting one page of a GridPageLayout: the one routine behind printing, preview and PDF.
//
// The painter's coordinates must be the layout's: points from the paper's top-left corner (pointsToDevice()
// gives the transform for a printer or PDF device; a preview scales to its zoom). Only the page's own rows are
// given or read. Needs a QGuiApplication (fonts); runs on the thread that owns the painter's device.
#pragma once

#include "print/GridPageLayout.h"
#include "print/GridRowSource.h"

#include <QFont>
#include <QTransform>

class QPainter;
class QPaintDevice;

namespace print {

// The scale from points to the device's own units.
QTransform pointsToDevice(const QPaintDevice &device);

// The cell font (headings bold).
QFont cellFont(bool bold = false);

// Column widths in points measured from the headings and the given sample rows (e.g. the first page of rows),
// as the grid sizes its columns: the widest text plus padding, at least a little room.
std::vector<double> measuredWidths(const QStringList &headings, const std::vector<PrintRow> &sample);

// Paints page `index` (0-based) with its rows (layout.page(index).rowCount of them, each with every column).
void paintPage(QPainter &painter, const GridPageLayout &layout, int index, const std::vector<PrintRow> &rows);

// Reads the page's rows from source and paints it. Raises db::Error when reading fails.
void paintPage(QPainter &painter, const GridPageLayout &layout, int index, GridRowSource &source);

}  // namespace print
