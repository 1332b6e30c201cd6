#pragma once

#include <QImage>

// The plan drawing of a tank shape, by shape code: the artwork named in the
// shape's row of vx::kTankShapes. 200 x 100, 24-bit RGB, pure white
// background; a null image for a code that names no shape. Decoded once, then
// shared (QImage is implicitly shared, so a copy costs nothing until someone
// paints on it).
//
// With scale 2, the same drawing at twice the resolution (400 x 200 pixels,
// device pixel ratio 2), for painting on high-resolution screens.
QImage shapePicture(int shapeCode, int scale = 1);
