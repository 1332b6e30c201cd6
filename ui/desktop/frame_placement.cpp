#include "ui/desktop/frame_placement.h"

#include <algorithm>

namespace {

// The one-dimensional rule: each axis moved on its own gives the least
// distance overall.
int keptInside(int wanted, int length, int areaStart, int areaLength) {
  const int last = areaStart + areaLength - length;
  return std::max(areaStart, std::min(wanted, last));
}

}  // namespace

QPoint frameKeptInside(QSize clientSize, QMargins frame, QPoint wantedTopLeft,
                       const QRect &available) {
  const QSize outer = clientSize.grownBy(frame);
  return {keptInside(wantedTopLeft.x(), outer.width(), available.x(), available.width()),
          keptInside(wantedTopLeft.y(), outer.height(), available.y(), available.height())};
}

QPoint frameCentredIn(QSize clientSize, QMargins frame, const QRect &available) {
  const QSize outer = clientSize.grownBy(frame);
  const QPoint centred(available.x() + (available.width() - outer.width()) / 2,
                       available.y() + (available.height() - outer.height()) / 2);
  return frameKeptInside(clientSize, frame, centred, available);
}

QSize clientSizeFitting(QSize designed, QMargins frame, const QRect &available,
                        int scrollBarExtent) {
  const QSize room = available.size().shrunkBy(frame).expandedTo(QSize(1, 1));
  const bool tooWide = designed.width() > room.width();
  const bool tooHigh = designed.height() > room.height();
  // A vertical scroll bar makes the contents wider, a horizontal one higher.
  const bool cutWidth = tooWide || (tooHigh && designed.width() + scrollBarExtent > room.width());
  const bool cutHeight =
      tooHigh || (cutWidth && designed.height() + scrollBarExtent > room.height());
  return {cutWidth ? room.width() : designed.width() + (cutHeight ? scrollBarExtent : 0),
          cutHeight ? room.height() : designed.height() + (cutWidth ? scrollBarExtent : 0)};
}
