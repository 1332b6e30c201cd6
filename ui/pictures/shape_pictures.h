#pragma once

#include <QImage>

// The plan drawings of the six tank shapes, indexed by shape code.
inline constexpr int kShapeCount = 6;

// 200 x 100, 24-bit RGB, pure white background; a null image for a code
// outside 0..kShapeCount-1. Decoded once, then shared (QImage is implicitly
// shared, so a copy costs nothing until someone paints on it).
//
// With scale 2, the same drawing at twice the resolution (400 x 200 pixels,
// device pixel ratio 2), for painting on high-resolution screens.
QImage shapePicture(int shapeCode, int scale = 1);
