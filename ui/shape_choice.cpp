#include "ui/shape_choice.h"

#include <QPainter>

#include "core/tank_shapes.h"
#include "ui/pictures/image_list.h"

ShapeInputs shapeInputs(int shapeCode) {
  switch (static_cast<vx::TankShape>(shapeCode)) {
    case vx::Rectangular:
      return {.sideA = true, .sideB = true, .sideC = false, .sideD = false, .lighting = true};
    case vx::BevelledRectangular:
      return {.sideA = true, .sideB = true, .sideC = true, .sideD = true, .lighting = true};
    case vx::VisionRectangular:
      return {.sideA = true, .sideB = true, .sideC = true, .sideD = false, .lighting = true};
    case vx::Triangular:
      return {.sideA = true, .sideB = true, .sideC = true, .sideD = false, .lighting = false};
    case vx::VisionTriangular:
      return {.sideA = true, .sideB = true, .sideC = false, .sideD = false, .lighting = false};
    case vx::Hexagonal:
      return {.sideA = true, .sideB = false, .sideC = false, .sideD = false, .lighting = false};
  }
  // No picture carries another code; should one ever, leave every input
  // usable rather than lock the user out of a field.
  return {};
}

QImage pickedShapePicture(const ImageList &list, int shapeCode, int scale) {
  QImage image(list.cellSize() * scale, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    list.draw(painter, QPoint(0, 0), shapeCode);
  }
  return image;
}
