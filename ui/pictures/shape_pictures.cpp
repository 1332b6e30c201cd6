#include "shape_pictures.h"

#include <array>

#include "artwork_resources.h"
#include "core/tank_shapes.h"

QImage shapePicture(int shapeCode) {
  const vx::TankShapeRow *shape = vx::tankShape(shapeCode);
  if (!shape) return {};
  // Decoded one at a time at first use: start-up shows only the rectangle,
  // the other drawings wait until the picker is first opened.
  static std::array<QImage, vx::kTankShapeCount> pictures;
  QImage &picture = pictures[static_cast<std::size_t>(shapeCode)];
  if (picture.isNull())
    picture = loadArtwork(QStringLiteral("artwork/%1.png")
                              .arg(QLatin1String(shape->drawing.data(),
                                                 static_cast<qsizetype>(shape->drawing.size()))))
                  .convertToFormat(QImage::Format_RGB32);
  return picture;
}
