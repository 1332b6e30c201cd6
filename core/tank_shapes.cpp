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

std::optional<ShapeArea> shapeArea(int shapeCode, const InnerSides &s) {
  const Extended &A = s.A, &B = s.B, &C = s.C, &D = s.D, &L = s.L;
  switch (shapeCode) {
    case Rectangular:
      return ShapeArea{A * B, LitRectangle{B, A}};
    case BevelledRectangular:
      return ShapeArea{(D * C) - ((D - B) * (C - A)) / 2, LitRectangle{D, C}};
    case VisionRectangular:
      if (!(B > A)) return std::nullopt;
      return ShapeArea{(A * C) + (Extended(kTwoThirds) * C) * (B - A), LitRectangle{B, C}};
    case Triangular:
      // The first test keeps the bevels long enough to bridge L and C, the
      // second the front shorter than L; together the root's argument is positive.
      if (!(Extended(2) * B + C > L)) return std::nullopt;
      if (!(C < L)) return std::nullopt;
      return ShapeArea{sqrt(B * B - ((L - C) * (L - C)) / 4) * ((L + C) / 2) + (A * A) / 2,
                       std::nullopt};
    case VisionTriangular:
      if (!(Extended(kCornerDepth) * A < B)) return std::nullopt;
      return ShapeArea{
          sqrt((A * A) * 2) * ((B - Extended(kCornerDepth) * A) * Extended(kTwoThirds)) + (A * A) / 2,
          std::nullopt};
    case Hexagonal:
      return ShapeArea{((sqrt(3) * 3 / 2) * A) * A, std::nullopt};
    default:
      return std::nullopt;
  }
}

}  // namespace vx
