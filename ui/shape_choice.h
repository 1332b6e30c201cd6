#pragma once

#include <QImage>

class ImageList;

// What picking a tank shape changes in the main window, apart from the shape
// code itself: which side fields the shape's formula reads, whether it lights
// a rectangle the lighting calculation can use, and the picture that shows it.

struct ShapeInputs {
  bool sideA = true;
  bool sideB = true;
  bool sideC = true;
  bool sideD = true;
  bool lighting = true;  // only the rectangular shapes leave a lit rectangle behind
};

ShapeInputs shapeInputs(int shapeCode);

// The list's cell for the shape drawn through its mask onto a white bitmap of
// the cell's size, so the one-pixel margin and the background stay white.
// With scale 2, the same at twice the resolution (device pixel ratio 2).
QImage pickedShapePicture(const ImageList &list, int shapeCode, int scale = 1);
