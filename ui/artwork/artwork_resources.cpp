#include "artwork_resources.h"

#include <cstring>

#include "embedded_artwork.h"

QImage decodeArtwork(const EmbeddedArtwork &art) {
  const auto stored = static_cast<QImage::Format>(art.storedFormat);
  const auto decoded = static_cast<QImage::Format>(art.decodedFormat);
  if (art.width <= 0 || art.height <= 0 || art.byteCount < 0 || !art.pixels ||
      stored == QImage::Format_Invalid || decoded == QImage::Format_Invalid)
    return {};
  // Each line padded to 32 bits, as the generator writes them.
  const qsizetype stride =
      (qsizetype(art.width) * QImage::toPixelFormat(stored).bitsPerPixel() + 31) / 32 * 4;
  const qsizetype size = stride * art.height;
  QImage image;
  if (art.deflated) {
    const QByteArray lines = qUncompress(art.pixels, art.byteCount);
    if (lines.size() != size) return {};
    image = QImage(art.width, art.height, stored);
    if (image.isNull() || image.sizeInBytes() != size) return {};
    std::memcpy(image.bits(), lines.constData(), static_cast<size_t>(size));
  } else {
    if (art.byteCount != size) return {};
    // Wraps the compiled-in bytes, which live as long as the program,
    // without copying them; Qt copies on the first write.
    image = QImage(art.pixels, art.width, art.height, stride, stored);
  }
  if (art.colourCount > 0)
    image.setColorTable(QList<QRgb>(art.colours, art.colours + art.colourCount));
  return decoded == stored ? image : image.convertToFormat(decoded);
}

QImage loadArtwork(const QString &relativePath) {
  const QByteArray wanted = relativePath.toUtf8();
  for (const EmbeddedArtwork &art : embeddedArtwork())
    if (std::strcmp(art.path, wanted.constData()) == 0) return decodeArtwork(art);
  return {};
}
