#include "shape_pictures.h"

#include <array>

#include "artwork_resources.h"
#include "core/tank_shapes.h"

QImage shapePicture(int shapeCode, int scale) {
  const vx::TankShapeRow *shape = vx::tankShape(shapeCode);
  if (!shape || (scale != 1 && scale != 2)) return {};
  // Decoded one at a time at first use: start-up shows only the rectangle,
  // the other drawings wait until the picker is first opened, and the sharp
  // ones until something paints on a high-resolution screen.
  static std::array<std::array<QImage, vx::kTankShapeCount>, 2> pictures;
  QImage &picture =
      pictures[static_cast<std::size_t>(scale - 1)][static_cast<std::size_t>(shapeCode)];
  if (picture.isNull()) {
    const QString drawing =
        QLatin1String(shape->drawing.data(), static_cast<qsizetype>(shape->drawing.size()));
    const QString name =
        scale == 1 ? QStringLiteral("artwork/%1.png") : QStringLiteral("artwork/%1@2x.png");
    picture = loadArtwork(name.arg(drawing)).convertToFormat(QImage::Format_RGB32);
    picture.setDevicePixelRatio(scale);
  }
  return picture;
}
