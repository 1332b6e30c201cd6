#include "window_icon.h"

#include <QPixmap>

#include "artwork_resources.h"
#include "standard_palette.h"

QImage windowIconImage() {
  static const QImage icon = [] {
    // A PNG decoder may hand back its own palette order, or drop unused
    // entries; going through RGB and mapping onto the fixed table keeps the
    // indices stable. Every colour of the icon is in the table, so the
    // nearest-colour mapping is exact.
    return loadArtwork(QStringLiteral("vembrix.png"))
        .convertToFormat(QImage::Format_RGB32)
        .convertToFormat(QImage::Format_Indexed8, standardPalette16(),
                         Qt::ThresholdDither | Qt::AvoidDither);
  }();
  return icon;
}

QIcon windowIcon() {
  QIcon icon;
  for (const int size : kThemeIconSizes) {
    const QImage image = size == 32 ? windowIconImage()
                                    : loadArtwork(QStringLiteral("icons/vembrix_%1.png").arg(size));
    if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}
