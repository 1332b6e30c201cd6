#pragma once

#include <optional>

#include "core/extended.h"

namespace vx {

enum TankShape : int {
  Rectangular = 0,
  BevelledRectangular = 1,
  VisionRectangular = 2,
  Triangular = 3,
  VisionTriangular = 4,
  Hexagonal = 5,
};

// The inner sides in decimetres and the diagonal of two A walls meeting at a
// right angle (used only by the triangular tank).
struct InnerSides {
  Extended A, B, C, D, L;
};

struct LitRectangle {
  Extended length;  // front to back
  Extended width;
};

struct ShapeArea {
  Extended baseArea;
  std::optional<LitRectangle> lit;  // only the rectangular shapes light a rectangle
};

// The base area of a shape, or nothing when the sides fail the shape's test
// (or the code names no shape).
std::optional<ShapeArea> shapeArea(int shapeCode, const InnerSides &sides);

}  // namespace vx
