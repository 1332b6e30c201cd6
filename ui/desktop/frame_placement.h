#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window's frame goes on a screen, without any widget: the client
// size, the frame the window manager puts around it (title bar and borders)
// and the screen's available area decide. Both return the frame's top-left
// corner, the point QWidget::move() takes for a window.

// The wanted place when the whole frame fits there; otherwise the place the
// least distance away that fits. A frame larger than the area keeps its top
// left corner, title bar and close box, inside it.
QPoint frameKeptInside(QSize clientSize, QMargins frame, QPoint wantedTopLeft,
                       const QRect &available);

// The frame centred on the area (kept inside it as above).
QPoint frameCentredIn(QSize clientSize, QMargins frame, const QRect &available);

// The client size whose frame fits the area: the designed size where it
// fits. Otherwise each side that does not fit is cut to the area and its
// contents must scroll; the other side grows by the scroll bar that this
// takes (and is cut as well where that no longer fits).
QSize clientSizeFitting(QSize designed, QMargins frame, const QRect &available,
                        int scrollBarExtent);
