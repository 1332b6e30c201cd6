#include "fields/widgets/spin/spin_geometry.h"

#include <QtGlobal>

namespace vx {

int stepDirection(SpinHalf half) {
  switch (half) {
    case SpinHalf::Up: return 1;
    case SpinHalf::Down: return -1;
    case SpinHalf::None: break;
  }
  return 0;
}

QRect spinButtonRect(QSize field) {
  const int w = field.width();
  const int h = field.height();
  const int side = qMax(0, h - 3);
  return {w - h - 1 + kFieldBorder, -1 + kFieldBorder, side, side};
}

int spinTextEnd(QSize field) { return spinButtonRect(field).left() - 2; }

SpinHalf spinHalfAt(QPoint p, QSize button) {
  if (!QRect(QPoint(0, 0), button).contains(p)) return SpinHalf::None;
  // y > H - (H / W) x, multiplied out by W > 0 so that no division rounds.
  const qint64 w = button.width();
  const qint64 h = button.height();
  return w * p.y() + h * p.x() > w * h ? SpinHalf::Down : SpinHalf::Up;
}

int roundDivHalfEven(int num, int den) {
  int q = num / den;
  int r = num % den;
  if (r < 0) {  // C++ division truncates; floor it
    --q;
    r += den;
  }
  if (2 * r > den || (2 * r == den && q % 2 != 0)) ++q;
  return q;
}

QPoint upGlyphTopLeft(QSize button, QSize glyph, bool upperPressed) {
  // w / 4 - gw / 2 == (w - 2 gw) / 4, kept in integers so the tie is exact.
  const int shift = upperPressed ? 2 : 1;
  return {roundDivHalfEven(button.width() - 2 * glyph.width(), 4) + shift,
          roundDivHalfEven(button.height() - 2 * glyph.height(), 4) + shift};
}

QPoint downGlyphTopLeft(QSize button, QSize glyph) {
  return {roundDivHalfEven(3 * button.width() - 2 * glyph.width(), 4) - 1,
          roundDivHalfEven(3 * button.height() - 2 * glyph.height(), 4) - 1};
}

}  // namespace vx
