#include "shape_drawings.h"

#include <QColor>

#include <cmath>

#include "letter_outlines.h"
#include "pixel_drawing.h"

namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kWater = 0xff00ffff;
constexpr QRgb kInk = 0xff000000;

// Glyph boxes by their inclusive corner pixels.
QRect box(int x0, int x1, int y0, int y1) { return QRect(QPoint(x0, y0), QPoint(x1, y1)); }

// A circular arc through (x0, yEnds) and (x1, yEnds) whose lowest point lies
// at yDeep, as the bent front glass of the "Vision" tanks.
// At a scale above 1 the points are device pixels of the larger drawing.
QList<QPoint> frontArc(int x0, int x1, int yEnds, int yDeep, int scale) {
  const double halfChord = (x1 - x0) / 2.0;
  const double middle = (x0 + x1) / 2.0;
  const double sag = yDeep - yEnds;
  const double radius = (halfChord * halfChord + sag * sag) / (2 * sag);
  const double centreY = yDeep - radius;
  return sampleCurveScaled(x0, x1, scale, [=](double x) {
    return centreY + std::sqrt(radius * radius - (x - middle) * (x - middle));
  });
}

// The row of the arc's edge at scale-1 column x, in scale-1 rows. Larger
// drawings round the arc's device row up, so an arrow ending above that edge
// reaches the arc rather than stopping a device pixel short of it.
int arcYAt(const QList<QPoint> &arc, int x, int scale) {
  int top = -1;
  for (const QPoint &p : arc)
    if (p.x() / scale == x && (top < 0 || p.y() < top)) top = p.y();
  return top < 0 ? -1 : (top + scale - 1) / scale;
}

// The outline first, then water poured in from a point inside it, so every
// pixel the outline encloses is cyan whatever the curve did.
void outlineAndFill(QImage &image, const QList<QPoint> &outline, QPoint inside, int s) {
  drawPixelPolyline(image, outline, kInk, s);
  floodFill(image, inside * s, kWater);
}

void rectangular(QImage &image, int s) {
  outlineAndFill(image, {{6, 6}, {191, 6}, {191, 96}, {6, 96}, {6, 6}}, {100, 50}, s);
  paintLetter(image, 'A', box(90, 100, 78, 89), s);   // front length
  paintLetter(image, 'B', box(172, 181, 51, 62), s);  // depth
}

void bevelled(QImage &image, int s) {
  outlineAndFill(image, {{5, 7}, {190, 7}, {190, 68}, {162, 97}, {34, 97}, {5, 68}, {5, 7}},
                 {100, 50}, s);
  drawDimensionArrow(image, 49, 7, 97, kInk, s);
  paintLetter(image, 'C', box(92, 101, 15, 26), s);   // back length
  paintLetter(image, 'A', box(89, 99, 79, 90), s);    // front length
  paintLetter(image, 'B', box(171, 180, 52, 63), s);  // straight side
  paintLetter(image, 'D', box(37, 46, 43, 54), s);    // overall depth
}

void rectangularVision(QImage &image, int s) {
  const QList<QPoint> arc = frontArc(5, 190, 70, 91, s);
  drawThickPolyline(image, arc, s, kInk);
  outlineAndFill(image, {{5, 70}, {5, 7}, {190, 7}, {190, 70}}, {100, 50}, s);
  drawDimensionArrow(image, 88, 7, arcYAt(arc, 88, s), kInk, s);
  paintLetter(image, 'C', box(118, 127, 11, 22), s);  // back length, the arc's chord
  paintLetter(image, 'A', box(169, 179, 36, 47), s);  // straight side
  paintLetter(image, 'B', box(73, 82, 41, 52), s);    // depth to the front of the arc
}

void corner(QImage &image, int s) {
  outlineAndFill(image, {{100, 9}, {165, 74}, {153, 86}, {47, 86}, {35, 74}, {100, 9}}, {100, 50},
                 s);
  paintLetter(image, 'A', box(138, 148, 31, 42), s);  // back wall
  paintLetter(image, 'B', box(162, 171, 81, 92), s);  // cut edge
  paintLetter(image, 'C', box(96, 105, 72, 83), s);   // front
}

void cornerVision(QImage &image, int s) {
  const QList<QPoint> arc = frontArc(35, 165, 77, 91, s);
  drawThickPolyline(image, arc, s, kInk);
  outlineAndFill(image, {{35, 77}, {35, 74}, {100, 9}, {165, 74}, {165, 77}}, {100, 50}, s);
  drawDimensionArrow(image, 100, 9, arcYAt(arc, 100, s), kInk, s);
  paintLetter(image, 'A', box(138, 148, 31, 42), s);  // back wall
  paintLetter(image, 'B', box(107, 116, 50, 61), s);  // depth from the corner to the arc
}

void hexagonal(QImage &image, int s) {
  // Regular with vertical sides: 84 pixels point to point makes the
  // circumradius about 42, so the flats lie 36 either side of the centre
  // line and the slanted sides climb 21 rows over those 36 columns (30 degrees).
  outlineAndFill(image, {{97, 8}, {133, 29}, {133, 70}, {97, 91}, {61, 70}, {61, 29}, {97, 8}},
                 {97, 50}, s);
  paintLetter(image, 'A', box(139, 149, 44, 55), s);  // side length
}

}  // namespace

QImage drawShape(std::string_view drawing, int scale) {
  struct Drawing {
    std::string_view name;
    void (*draw)(QImage &, int);
  };
  // By the names the shape table gives its drawings.
  static constexpr Drawing kDrawings[] = {{"shape_0", rectangular},       {"shape_1", bevelled},
                                          {"shape_2", rectangularVision}, {"shape_3", corner},
                                          {"shape_4", cornerVision},      {"shape_5", hexagonal}};
  if (scale < 1) return {};
  for (const Drawing &d : kDrawings) {
    if (d.name != drawing) continue;
    QImage image(200 * scale, 100 * scale, QImage::Format_RGB32);
    image.fill(kWhite);
    d.draw(image, scale);
    return image;
  }
  return {};
}
