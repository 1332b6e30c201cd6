#pragma once

#include <QImage>

// The plan drawing of a tank shape, by shape code: the artwork named in the
// shape's row of vx::kTankShapes. 200 x 100, 24-bit RGB, pure white
// background; a null image for a code that names no shape. Decoded once, then
// shared (QImage is implicitly shared, so a copy costs nothing until someone
// paints on it).
QImage shapePicture(int shapeCode);
