#include "artwork_resources.h"

#include <cstring>

#include "embedded_artwork.h"

QImage loadArtwork(const QString &relativePath) {
  const QByteArray wanted = relativePath.toUtf8();
  for (const EmbeddedArtwork &art : embeddedArtwork()) {
    if (std::strcmp(art.path, wanted.constData()) != 0) continue;
    const auto stored = static_cast<QImage::Format>(art.storedFormat);
    const int depth = QImage::toPixelFormat(stored).bitsPerPixel();
    const qsizetype stride = (qsizetype(art.width) * depth + 31) / 32 * 4;
    QImage image;
    if (art.compressedSize > 0) {
      const QByteArray lines = qUncompress(art.pixels, art.compressedSize);
      image = QImage(art.width, art.height, stored);
      if (lines.size() != stride * art.height || image.bytesPerLine() != stride) return {};
      std::memcpy(image.bits(), lines.constData(), static_cast<size_t>(lines.size()));
    } else {
      // Wraps the compiled-in bytes, which live as long as the program,
      // without copying them; Qt copies on the first write.
      image = QImage(art.pixels, art.width, art.height, stride, stored);
    }
    if (art.colourCount > 0)
      image.setColorTable(QList<QRgb>(art.colours, art.colours + art.colourCount));
    const auto decoded = static_cast<QImage::Format>(art.decodedFormat);
    return decoded == stored ? image : image.convertToFormat(decoded);
  }
  return {};
}
