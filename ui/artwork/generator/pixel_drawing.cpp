#include "pixel_drawing.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

void plot(QImage &image, int x, int y, QRgb colour) {
  if (image.valid(x, y)) image.setPixel(x, y, colour);
}

// Half-width grows by one every second row, which makes a 9-row head exactly
// 9 pixels wide at its base.
constexpr int kHeadLength = 9;

// tip is the device pixel at the left of the head's point, which is `scale`
// pixels wide.
void drawArrowHead(QImage &image, QPoint tip, int towardsBase, QRgb colour, int scale) {
  for (int i = 0; i < kHeadLength * scale; ++i) {
    const int half = i / 2;
    for (int dx = -half; dx <= half + scale - 1; ++dx)
      plot(image, tip.x() + dx, tip.y() + i * towardsBase, colour);
  }
}

void plotBlock(QImage &image, QPoint topLeft, int side, QRgb colour) {
  for (int dy = 0; dy < side; ++dy)
    for (int dx = 0; dx < side; ++dx) plot(image, topLeft.x() + dx, topLeft.y() + dy, colour);
}

// A Bresenham line whose every pixel is stretched to a run of `thickness`
// pixels across its minor axis, right or down: a thick line that stays
// 8-connected on both of its sides.
void drawThickLine(QImage &image, QPoint from, QPoint to, int thickness, QRgb colour) {
  const bool xMajor = std::abs(to.x() - from.x()) >= std::abs(to.y() - from.y());
  const QPoint across = xMajor ? QPoint(0, 1) : QPoint(1, 0);
  for (int i = 0; i < thickness; ++i)
    drawPixelLine(image, from + i * across, to + i * across, colour);
}

}  // namespace

void drawPixelLine(QImage &image, QPoint from, QPoint to, QRgb colour) {
  int x = from.x();
  int y = from.y();
  const int dx = std::abs(to.x() - x);
  const int dy = -std::abs(to.y() - y);
  const int sx = x < to.x() ? 1 : -1;
  const int sy = y < to.y() ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    plot(image, x, y, colour);
    if (x == to.x() && y == to.y()) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

void drawPixelPolyline(QImage &image, const QList<QPoint> &points, QRgb colour, int scale) {
  for (qsizetype i = 1; i < points.size(); ++i)
    drawThickLine(image, points[i - 1] * scale, points[i] * scale, scale, colour);
  // The runs of two lines meeting at a corner leave its far pixels out.
  if (scale > 1)
    for (const QPoint &p : points) plotBlock(image, p * scale, scale, colour);
  if (points.size() == 1) plotBlock(image, points[0] * scale, scale, colour);
}

void drawThickPolyline(QImage &image, const QList<QPoint> &points, int thickness, QRgb colour) {
  for (qsizetype i = 1; i < points.size(); ++i)
    drawThickLine(image, points[i - 1], points[i], thickness, colour);
  if (points.size() == 1) plotBlock(image, points[0], thickness, colour);
}

QList<QPoint> sampleCurve(int x0, int x1, const std::function<double(double)> &curveY) {
  QList<QPoint> points;
  const int step = x0 <= x1 ? 1 : -1;
  for (int x = x0;; x += step) {
    points.append(QPoint(x, static_cast<int>(std::lround(curveY(x)))));
    if (x == x1) break;
  }
  return points;
}

QList<QPoint> sampleCurveScaled(int x0, int x1, int scale,
                                const std::function<double(double)> &curveY) {
  QList<QPoint> points;
  const int step = x0 <= x1 ? 1 : -1;
  const int first = x0 * scale + (step > 0 ? 0 : scale - 1);
  const int last = x1 * scale + (step > 0 ? scale - 1 : 0);
  for (int x = first;; x += step) {
    // The device column's centre in scale-1 coordinates; the scale-1 line's
    // top edge there, in device rows.
    const double at = (x + 0.5) / scale - 0.5;
    points.append(QPoint(x, static_cast<int>(std::lround(curveY(at) * scale))));
    if (x == last) break;
  }
  return points;
}

void floodFill(QImage &image, QPoint seed, QRgb colour) {
  if (!image.valid(seed)) return;
  const QRgb target = image.pixel(seed);
  if (target == colour) return;
  std::vector<QPoint> pending{seed};
  while (!pending.empty()) {
    const QPoint p = pending.back();
    pending.pop_back();
    if (!image.valid(p) || image.pixel(p) != target) continue;
    image.setPixel(p, colour);
    pending.push_back(p + QPoint(1, 0));
    pending.push_back(p + QPoint(-1, 0));
    pending.push_back(p + QPoint(0, 1));
    pending.push_back(p + QPoint(0, -1));
  }
}

void drawDimensionArrow(QImage &image, int x, int topEdgeY, int bottomEdgeY, QRgb colour,
                        int scale) {
  const int left = x * scale;
  const int top = (topEdgeY + 1) * scale;
  const int bottom = bottomEdgeY * scale - 1;
  drawThickLine(image, QPoint(left, top), QPoint(left, bottom), scale, colour);
  drawArrowHead(image, QPoint(left, top), +1, colour, scale);
  drawArrowHead(image, QPoint(left, bottom), -1, colour, scale);
}
