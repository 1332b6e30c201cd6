#include "window_icon.h"

#include "artwork_icon_engine.h"
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
  // One engine shared by the application and its windows; it makes each
  // size from the artwork when asked.
  static const QIcon icon(new ArtworkIconEngine);
  return icon;
}
