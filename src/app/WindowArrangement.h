// Arranging the MDI children: cascaded, tiled in horizontal strips one above another, in vertical strips side by
// side, and minimized windows lined up along the bottom.
#pragma once

class QMdiArea;

namespace app {

// Each window at its preferred size (its sizeHint(), which for a data window shows eight columns and twenty rows),
// never beyond the area, each a title bar's height further down and right; when the
// steps reach the area's edge they start again from the top left.
void cascade(QMdiArea *area);
void tileHorizontal(QMdiArea *area);
void tileVertical(QMdiArea *area);
void arrangeIcons(QMdiArea *area);

}  // namespace app
