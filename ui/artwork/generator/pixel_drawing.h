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

// Consecutive points joined by pixel lines. At a scale above 1 the points are
// in the coordinates of the scale-1 drawing and the line keeps its width of
// one of those pixels: `scale` device pixels across, drawn at the device
// resolution rather than as enlarged blocks, with every corner filled.
void drawPixelPolyline(QImage &image, const QList<QPoint> &points, QRgb colour, int scale = 1);

// Points already in device pixels (a curve sampled with sampleCurveScaled)
// joined by lines `thickness` device pixels across.
void drawThickPolyline(QImage &image, const QList<QPoint> &points, int thickness, QRgb colour);

// One point per column from x0 to x1 with y = curveY(x) rounded; join the
// points with drawPixelPolyline so steep stretches stay connected.
QList<QPoint> sampleCurve(int x0, int x1, const std::function<double(double)> &curveY);

// The same curve, given in scale-1 coordinates, sampled once per device
// column of a drawing `scale` times as large: the top row of a line `scale`
// device pixels thick that covers what the scale-1 line covers. At scale 1
// it is sampleCurve.
QList<QPoint> sampleCurveScaled(int x0, int x1, int scale,
                                const std::function<double(double)> &curveY);

// Replaces the 4-connected region of the seed's colour with `colour`.
void floodFill(QImage &image, QPoint seed, QRgb colour);

// A vertical dimension line at column x between two horizontal edges (the
// edges' own rows excluded), with filled 9 x 9 heads whose points touch them.
// At a scale above 1, x and the edges are scale-1 coordinates; the shaft is
// `scale` device pixels wide and the heads widen by one device pixel a side
// every second device row, so their slopes are smooth rather than stepped.
void drawDimensionArrow(QImage &image, int x, int topEdgeY, int bottomEdgeY, QRgb colour,
                        int scale = 1);
