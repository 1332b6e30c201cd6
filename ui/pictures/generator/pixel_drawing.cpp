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

void drawArrowHead(QImage &image, QPoint tip, int towardsBase, QRgb colour) {
  for (int i = 0; i < kHeadLength; ++i) {
    const int half = i / 2;
    for (int dx = -half; dx <= half; ++dx) plot(image, tip.x() + dx, tip.y() + i * towardsBase, colour);
  }
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

void drawPixelPolyline(QImage &image, const QList<QPoint> &points, QRgb colour) {
  for (qsizetype i = 1; i < points.size(); ++i) drawPixelLine(image, points[i - 1], points[i], colour);
  if (points.size() == 1) plot(image, points[0].x(), points[0].y(), colour);
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

void drawDimensionArrow(QImage &image, int x, int topEdgeY, int bottomEdgeY, QRgb colour) {
  drawPixelLine(image, QPoint(x, topEdgeY + 1), QPoint(x, bottomEdgeY - 1), colour);
  drawArrowHead(image, QPoint(x, topEdgeY + 1), +1, colour);
  drawArrowHead(image, QPoint(x, bottomEdgeY - 1), -1, colour);
}
