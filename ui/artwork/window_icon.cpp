#include "window_icon.h"

#include "artwork_icon_engine.h"
#include "artwork_resources.h"
#include "standard_palette.h"

QString iconArtworkPath(int side) {
  return side == 32 ? QStringLiteral("vembrix.png")
                    : QStringLiteral("icons/vembrix_%1.png").arg(side);
}

QImage windowIconImage() {
  static const QImage icon = [] {
    // A PNG decoder may hand back its own palette order, or drop unused
    // entries; going through RGB and mapping onto the fixed table keeps the
    // indices stable. Every colour of the icon is in the table, so the
    // nearest-colour mapping is exact.
    return loadArtwork(iconArtworkPath(32))
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
