#include "shape_pictures.h"

#include <array>

#include "artwork_resources.h"

QImage shapePicture(int shapeCode) {
  static const std::array<QImage, kShapeCount> pictures = [] {
    std::array<QImage, kShapeCount> decoded;
    for (int code = 0; code < kShapeCount; ++code)
      decoded[code] =
          loadArtwork(QStringLiteral("artwork/shape_%1.png").arg(code)).convertToFormat(QImage::Format_RGB32);
    return decoded;
  }();
  if (shapeCode < 0 || shapeCode >= kShapeCount) return {};
  return pictures[shapeCode];
}
