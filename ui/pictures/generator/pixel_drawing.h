#pragma once

#include <QImage>
#include <QList>
#include <QPoint>

#include <functional>

// Hard-edged drawing for the tank outlines and dimension arrows. These are
// plotted pixel by pixel rather than through QPainter so that every outline is
// an unbroken 8-connected chain of pure black: a 4-connected flood fill can
// then never leak through it, and no half-tone pixel appears outside a letter.

// Bresenham line, both end points included.
void drawPixelLine(QImage &image, QPoint from, QPoint to, QRgb colour);

// Consecutive points joined by pixel lines.
void drawPixelPolyline(QImage &image, const QList<QPoint> &points, QRgb colour);

// One point per column from x0 to x1 with y = curveY(x) rounded; join the
// points with drawPixelPolyline so steep stretches stay connected.
QList<QPoint> sampleCurve(int x0, int x1, const std::function<double(double)> &curveY);

// Replaces the 4-connected region of the seed's colour with `colour`.
void floodFill(QImage &image, QPoint seed, QRgb colour);

// A vertical dimension line at column x between two horizontal edges (the
// edges' own rows excluded), with filled 9 x 9 heads whose points touch them.
void drawDimensionArrow(QImage &image, int x, int topEdgeY, int bottomEdgeY, QRgb colour);
