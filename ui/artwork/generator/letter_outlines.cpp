#include "letter_outlines.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace {

// Stems and bars. At 12 pixels a single pixel looks starved next to the
// outlines, two pixels look bold; one and a half keeps one crisp dark column.
constexpr qreal kStroke = 1.5;

QPainterPath polygon(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(points)));
  path.closeSubpath();
  return path;
}

// Flat on the left, a half ellipse of horizontal radius rx on the right: the
// outer edge of a bowl of B or D.
QPainterPath bowlShape(const QRectF &r, qreal rx) {
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - rx, r.top());
  path.arcTo(QRectF(r.right() - 2 * rx, r.top(), 2 * rx, r.height()), 90, -180);
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  return path;
}

// The bowl's ring without its left wall, which the stem provides. Curves are
// drawn a little heavier than straight bars so they look as dark.
QPainterPath bowlRing(const QRectF &outer, qreal rx) {
  const qreal side = kStroke * 1.15;
  const QRectF inner = outer.adjusted(-1, kStroke, -side, -kStroke);
  return bowlShape(outer, rx).subtracted(bowlShape(inner, std::max<qreal>(rx - side, 0.5)));
}

QPainterPath letterA(const QRectF &b) {
  const qreal cx = b.center().x();
  const qreal leg = kStroke * 1.2;  // horizontal width of a slanted leg
  const qreal apex = 1.9;
  const QPainterPath left = polygon({{b.left(), b.bottom()},
                                     {cx - apex / 2, b.top()},
                                     {cx - apex / 2 + leg, b.top()},
                                     {b.left() + leg, b.bottom()}});
  const QPainterPath right = polygon({{b.right(), b.bottom()},
                                      {cx + apex / 2, b.top()},
                                      {cx + apex / 2 - leg, b.top()},
                                      {b.right() - leg, b.bottom()}});
  const QPainterPath silhouette = polygon({{b.left(), b.bottom()},
                                           {cx - apex / 2, b.top()},
                                           {cx + apex / 2, b.top()},
                                           {b.right(), b.bottom()}});
  QPainterPath bar;
  bar.addRect(QRectF(b.left(), b.top() + 7, b.width(), kStroke * 0.85));
  return left.united(right).united(bar.intersected(silhouette));
}

QPainterPath letterB(const QRectF &b) {
  QPainterPath stem;
  stem.addRect(QRectF(b.left(), b.top(), kStroke, b.height()));
  const qreal middle = b.top() + 5.25;  // the upper bowl is the smaller one
  const QRectF upper(b.left(), b.top(), b.width() - 1.2, middle + kStroke - b.top());
  const QRectF lower(b.left(), middle, b.width(), b.bottom() - middle);
  return stem.united(bowlRing(upper, upper.height() / 2))
      .united(bowlRing(lower, lower.height() / 2));
}

QPainterPath letterC(const QRectF &b) {
  QPainterPath outer;
  outer.addEllipse(b);
  QPainterPath inner;
  inner.addEllipse(b.adjusted(kStroke * 1.15, kStroke, -kStroke * 1.15, -kStroke));
  // The mouth: a wedge opening to the right, its sides cut radially.
  const QPointF c = b.center();
  const qreal reach = b.width();
  const QPainterPath mouth =
      polygon({c, {c.x() + reach, c.y() - reach * 0.78}, {c.x() + reach, c.y() + reach * 0.78}});
  return outer.subtracted(inner).subtracted(mouth);
}

QPainterPath letterD(const QRectF &b) {
  QPainterPath stem;
  stem.addRect(QRectF(b.left(), b.top(), kStroke, b.height()));
  return stem.united(bowlRing(b, std::min(b.width() * 0.6, b.height() / 2)));
}

}  // namespace

QPainterPath letterOutline(QChar letter, const QRect &box) {
  const QRectF b(box);  // covers the pixels from left() to right() inclusive
  QPainterPath path;
  switch (letter.unicode()) {
    case u'A': path = letterA(b); break;
    case u'B': path = letterB(b); break;
    case u'C': path = letterC(b); break;
    case u'D': path = letterD(b); break;
    default: return {};
  }
  QPainterPath clip;
  clip.addRect(b);
  return path.intersected(clip);
}

void paintLetter(QImage &image, QChar letter, const QRect &box, int scale) {
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(scale, scale);
  painter.setPen(Qt::NoPen);
  painter.fillPath(letterOutline(letter, box), Qt::black);
}
