#pragma once

#include <QImage>

// The plan drawings of the six tank shapes, indexed by shape code.
inline constexpr int kShapeCount = 6;

// 200 x 100, 24-bit RGB, pure white background; a null image for a code
// outside 0..kShapeCount-1. Decoded once, then shared (QImage is implicitly
// shared, so a copy costs nothing until someone paints on it).
QImage shapePicture(int shapeCode);
