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
QList<QPoint> frontArc(int x0, int x1, int yEnds, int yDeep) {
  const double halfChord = (x1 - x0) / 2.0;
  const double middle = (x0 + x1) / 2.0;
  const double sag = yDeep - yEnds;
  const double radius = (halfChord * halfChord + sag * sag) / (2 * sag);
  const double centreY = yDeep - radius;
  return sampleCurve(x0, x1, [=](double x) {
    return centreY + std::sqrt(radius * radius - (x - middle) * (x - middle));
  });
}

int arcYAt(const QList<QPoint> &arc, int x) {
  for (const QPoint &p : arc)
    if (p.x() == x) return p.y();
  return -1;
}

// The outline first, then water poured in from a point inside it, so every
// pixel the outline encloses is cyan whatever the curve did.
void outlineAndFill(QImage &image, const QList<QPoint> &outline, QPoint inside) {
  drawPixelPolyline(image, outline, kInk);
  floodFill(image, inside, kWater);
}

void rectangular(QImage &image) {
  outlineAndFill(image, {{6, 6}, {191, 6}, {191, 96}, {6, 96}, {6, 6}}, {100, 50});
  paintLetter(image, 'A', box(90, 100, 78, 89));  // front length
  paintLetter(image, 'B', box(172, 181, 51, 62));  // depth
}

void bevelled(QImage &image) {
  outlineAndFill(image, {{5, 7}, {190, 7}, {190, 68}, {162, 97}, {34, 97}, {5, 68}, {5, 7}}, {100, 50});
  drawDimensionArrow(image, 49, 7, 97, kInk);
  paintLetter(image, 'C', box(92, 101, 15, 26));   // back length
  paintLetter(image, 'A', box(89, 99, 79, 90));    // front length
  paintLetter(image, 'B', box(171, 180, 52, 63));  // straight side
  paintLetter(image, 'D', box(37, 46, 43, 54));    // overall depth
}

void rectangularVision(QImage &image) {
  const QList<QPoint> arc = frontArc(5, 190, 70, 91);
  drawPixelPolyline(image, arc, kInk);
  outlineAndFill(image, {{5, 70}, {5, 7}, {190, 7}, {190, 70}}, {100, 50});
  drawDimensionArrow(image, 88, 7, arcYAt(arc, 88), kInk);
  paintLetter(image, 'C', box(118, 127, 11, 22));  // back length, the arc's chord
  paintLetter(image, 'A', box(169, 179, 36, 47));  // straight side
  paintLetter(image, 'B', box(73, 82, 41, 52));    // depth to the front of the arc
}

void corner(QImage &image) {
  outlineAndFill(image, {{100, 9}, {165, 74}, {153, 86}, {47, 86}, {35, 74}, {100, 9}}, {100, 50});
  paintLetter(image, 'A', box(138, 148, 31, 42));  // back wall
  paintLetter(image, 'B', box(162, 171, 81, 92));  // cut edge
  paintLetter(image, 'C', box(96, 105, 72, 83));   // front
}

void cornerVision(QImage &image) {
  const QList<QPoint> arc = frontArc(35, 165, 77, 91);
  drawPixelPolyline(image, arc, kInk);
  outlineAndFill(image, {{35, 77}, {35, 74}, {100, 9}, {165, 74}, {165, 77}}, {100, 50});
  drawDimensionArrow(image, 100, 9, arcYAt(arc, 100), kInk);
  paintLetter(image, 'A', box(138, 148, 31, 42));  // back wall
  paintLetter(image, 'B', box(107, 116, 50, 61));  // depth from the corner to the arc
}

void hexagonal(QImage &image) {
  // Regular with vertical sides: 84 pixels point to point makes the
  // circumradius about 42, so the flats lie 36 either side of the centre
  // line and the slanted sides climb 21 rows over those 36 columns (30 degrees).
  outlineAndFill(image, {{97, 8}, {133, 29}, {133, 70}, {97, 91}, {61, 70}, {61, 29}, {97, 8}}, {97, 50});
  paintLetter(image, 'A', box(139, 149, 44, 55));  // side length
}

}  // namespace

QImage drawShape(std::string_view drawing) {
  struct Drawing {
    std::string_view name;
    void (*draw)(QImage &);
  };
  // By the names the shape table gives its drawings.
  static constexpr Drawing kDrawings[] = {
      {"shape_0", rectangular}, {"shape_1", bevelled},     {"shape_2", rectangularVision},
      {"shape_3", corner},      {"shape_4", cornerVision}, {"shape_5", hexagonal}};
  for (const Drawing &d : kDrawings) {
    if (d.name != drawing) continue;
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(kWhite);
    d.draw(image);
    return image;
  }
  return {};
}
