// Arranging the MDI children: tiled in horizontal strips one above another, in vertical strips side by side, and
// minimized windows lined up along the bottom. (Cascade is the MDI area's own.)
#pragma once

class QMdiArea;

namespace app {

void tileHorizontal(QMdiArea *area);
void tileVertical(QMdiArea *area);
void arrangeIcons(QMdiArea *area);

}  // namespace app
