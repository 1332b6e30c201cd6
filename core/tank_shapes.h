#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "core/extended.h"

namespace vx {

// The shape codes; a code is also the Tag of the shape's picture in the
// picker and its row in kTankShapes.
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

// The base area by the shape's formula, or nothing when the sides fail the
// shape's test.
using ShapeFormula = std::optional<ShapeArea> (*)(const InnerSides &);

// The formulas, one per shape; defined in tank_shapes.cpp.
namespace formula {
std::optional<ShapeArea> rectangular(const InnerSides &s);
std::optional<ShapeArea> bevelledRectangular(const InnerSides &s);
std::optional<ShapeArea> visionRectangular(const InnerSides &s);
std::optional<ShapeArea> triangular(const InnerSides &s);
std::optional<ShapeArea> visionTriangular(const InnerSides &s);
std::optional<ShapeArea> hexagonal(const InnerSides &s);
}  // namespace formula

// Which side fields a shape's formula reads; the others are disabled while
// the shape is picked (they are still converted and stored).
struct SidesRead {
  bool A, B, C, D;
};

// Where the shape's box stands in the picker's grid.
struct PickerCell {
  int column, row;
};

// Everything the program knows about one tank shape. The windows, the image
// list, the embedded artwork and the artwork generator all iterate this
// table, so a shape is added or changed here and in its drawing only.
struct TankShapeRow {
  int code;
  std::string_view caption;  // UTF-8: the group caption above its picture in the picker
  SidesRead sides;
  // Whether its formula leaves a lit rectangle behind; the lighting
  // calculation is offered only then.
  bool lightsRectangle;
  ShapeFormula area;
  std::string_view drawing;  // the artwork's file name without ".png"
  PickerCell place;
};

// One row per shape reads better than one field per line.
// clang-format off
inline constexpr auto kTankShapes = std::to_array<TankShapeRow>({
    {Rectangular, "Прямоугольный", {true, true, false, false}, true, formula::rectangular,
     "shape_0", {0, 0}},
    {BevelledRectangular, "Прямоугольный со скосами", {true, true, true, true}, true,
     formula::bevelledRectangular, "shape_1", {1, 0}},
    {VisionRectangular, "Прямоугольный \"Vision\"", {true, true, true, false}, true,
     formula::visionRectangular, "shape_2", {2, 0}},
    {Triangular, "Треугольный", {true, true, true, false}, false, formula::triangular, "shape_3",
     {0, 1}},
    {VisionTriangular, "Треугольный \"Vision\"", {true, true, false, false}, false,
     formula::visionTriangular, "shape_4", {1, 1}},
    {Hexagonal, "Шестиугольный", {true, false, false, false}, false, formula::hexagonal,
     "shape_5", {2, 1}},
});
// clang-format on

inline constexpr int kTankShapeCount = static_cast<int>(kTankShapes.size());

// A row's code is its place in the table: the code indexes the image list.
static_assert([] {
  for (std::size_t i = 0; i < kTankShapes.size(); ++i)
    if (kTankShapes[i].code != static_cast<int>(i)) return false;
  return true;
}());

// The row of a shape code, or null for a code that names no shape.
constexpr const TankShapeRow *tankShape(int shapeCode) {
  if (shapeCode < 0 || shapeCode >= kTankShapeCount) return nullptr;
  return &kTankShapes[static_cast<std::size_t>(shapeCode)];
}

// The base area of a shape, or nothing when the sides fail the shape's test
// (or the code names no shape).
std::optional<ShapeArea> shapeArea(int shapeCode, const InnerSides &sides);

}  // namespace vx
