#include "core/tank_shapes.h"

namespace vx {
namespace {

// Two thirds of chord times height is the area of a parabolic segment; the
// constant is folded in extended precision, like every constant here.
constexpr long double kTwoThirds = 2.0L / 3;

// The distance from the rear corner to the hypotenuse is taken as 0.7071·A,
// exactly that decimal and not 1/√2: the test and the area both use it.
constexpr long double kCornerDepth = 0.7071L;

}  // namespace

namespace formula {

std::optional<ShapeArea> rectangular(const InnerSides &s) {
  return ShapeArea{s.A * s.B, LitRectangle{s.B, s.A}};
}

std::optional<ShapeArea> bevelledRectangular(const InnerSides &s) {
  const Extended &A = s.A, &B = s.B, &C = s.C, &D = s.D;
  return ShapeArea{(D * C) - ((D - B) * (C - A)) / 2, LitRectangle{D, C}};
}

std::optional<ShapeArea> visionRectangular(const InnerSides &s) {
  const Extended &A = s.A, &B = s.B, &C = s.C;
  if (!(B > A)) return std::nullopt;
  return ShapeArea{(A * C) + (Extended(kTwoThirds) * C) * (B - A), LitRectangle{B, C}};
}

std::optional<ShapeArea> triangular(const InnerSides &s) {
  const Extended &A = s.A, &B = s.B, &C = s.C, &L = s.L;
  // The first test keeps the bevels long enough to bridge L and C, the
  // second the front shorter than L; together the root's argument is positive.
  if (!(Extended(2) * B + C > L)) return std::nullopt;
  if (!(C < L)) return std::nullopt;
  return ShapeArea{sqrt(B * B - ((L - C) * (L - C)) / 4) * ((L + C) / 2) + (A * A) / 2,
                   std::nullopt};
}

std::optional<ShapeArea> visionTriangular(const InnerSides &s) {
  const Extended &A = s.A, &B = s.B;
  if (!(Extended(kCornerDepth) * A < B)) return std::nullopt;
  return ShapeArea{
      sqrt((A * A) * 2) * ((B - Extended(kCornerDepth) * A) * Extended(kTwoThirds)) + (A * A) / 2,
      std::nullopt};
}

std::optional<ShapeArea> hexagonal(const InnerSides &s) {
  return ShapeArea{((sqrt(3) * 3 / 2) * s.A) * s.A, std::nullopt};
}

}  // namespace formula

std::optional<ShapeArea> shapeArea(int shapeCode, const InnerSides &sides) {
  const TankShapeRow *shape = tankShape(shapeCode);
  if (!shape) return std::nullopt;
  return shape->area(sides);
}

}  // namespace vx
