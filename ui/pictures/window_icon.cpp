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
  // Made once: the application and its windows share it. Straight from the
  // artwork, not through the indexed copy, which would only be converted back.
  static const QIcon icon = [] {
    QIcon sizes;
    for (const int size : kThemeIconSizes) {
      const QImage image =
          loadArtwork(size == 32 ? QStringLiteral("vembrix.png")
                                 : QStringLiteral("icons/vembrix_%1.png").arg(size));
      // Kept in the format the X11 window-icon property is built from: the
      // property is rebuilt from every size each time a window gets the
      // icon (twice per window as Qt creates it), and would otherwise
      // convert all of them anew each time.
      if (!image.isNull())
        sizes.addPixmap(QPixmap::fromImage(image.convertToFormat(QImage::Format_ARGB32),
                                           Qt::NoFormatConversion));
    }
    return sizes;
  }();
  return icon;
}
