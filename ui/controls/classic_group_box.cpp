#include "ui/controls/classic_group_box.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace {
constexpr int kCaptionLeft = 8;
constexpr int kCaptionPadding = 2;  // clears the frame line either side of the caption
}  // namespace

ClassicGroupBox::ClassicGroupBox(const QString &title, QWidget *parent)
    : QGroupBox(title, parent) {}

void ClassicGroupBox::paintEvent(QPaintEvent * /*event*/) {
  QPainter painter(this);
  const QFontMetrics metrics(font());

  // An etched line through the middle of the caption. Drawn directly: the
  // styles' group-box frames reserve a caption row of their own above it.
  qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(),
                 /*sunken=*/true, /*lineWidth=*/1, /*midLineWidth=*/0);

  if (title().isEmpty()) return;
  const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionPadding,
                      metrics.height());
  painter.fillRect(caption, palette().brush(backgroundRole()));
  style()->drawItemText(&painter, caption, Qt::AlignCenter | Qt::TextSingleLine, palette(),
                        isEnabled(), title(), foregroundRole());
}
