#pragma once

#include <QBitmap>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPoint>
#include <QSize>

// The main window's list of shape pictures: one 202 x 102 cell per shape
// code, the picture at (1, 1) so a one-pixel margin surrounds it, and a mask
// that makes the margin and the white background transparent.
//
// The cells are made at their first use, not with the list: only a pick of a
// shape needs them, and at start-up their megabyte of pixels would cost the
// program's first window a few hundred fresh pages for nothing.
class ImageList {
public:
  ImageList();

  int count() const;
  QSize cellSize() const;

  // The cell's colours; the margin is white. Null for an index out of range.
  QImage cell(int index) const;

  // color1 (set bits) where the cell is opaque: the tank, its outline, the
  // arrows and the letters. Null for an index out of range.
  QBitmap mask(int index) const;

  // Draws the cell with its top-left corner at topLeft, through its mask:
  // under a transparent pixel the painter's device keeps what it had. A
  // painter whose pixel covers more than one device pixel (a device of a
  // pixel ratio above 1) gets the cell made from the drawing at twice the
  // resolution, with its mask made the same way.
  void draw(QPainter &painter, QPoint topLeft, int index) const;

  // The cell drawn through its mask onto a white bitmap of the cell's size,
  // so the one-pixel margin and the background stay white: what a pick puts
  // into the main window's picture. Null for an index out of range. With
  // scale 2, the same at twice the resolution (device pixel ratio 2).
  QImage onWhite(int index, int scale = 1) const;

private:
  struct Cell {
    QImage colours;
    QImage opaque;  // 1 bit per pixel, 1 = opaque
    QImage masked;  // colours with alpha 0 where transparent, for draw()
  };
  static Cell makeCell(int code, int scale);
  const QList<Cell> &cells(int scale = 1) const;  // makes them at the first call

  mutable QList<Cell> m_cells;
  mutable QList<Cell> m_sharpCells;  // twice the resolution, made at the first sharp draw()
};
