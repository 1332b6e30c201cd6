#include "shape_pictures.h"

#include <array>

#include "artwork_resources.h"

QImage shapePicture(int shapeCode) {
  if (shapeCode < 0 || shapeCode >= kShapeCount) return {};
  // Decoded one at a time at first use: start-up shows only the rectangle,
  // the other drawings wait until the picker is first opened.
  static std::array<QImage, kShapeCount> pictures;
  QImage &picture = pictures[static_cast<std::size_t>(shapeCode)];
  if (picture.isNull())
    picture = loadArtwork(QStringLiteral("artwork/shape_%1.png").arg(shapeCode))
                  .convertToFormat(QImage::Format_RGB32);
  return picture;
}
