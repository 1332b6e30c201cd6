#include "artwork_resources.h"

// Q_INIT_RESOURCE must be used outside any namespace. In a static library
// nothing else references the compiled resource, so without this call the
// linker would drop it and every picture would come out null.
static void registerArtwork() { Q_INIT_RESOURCE(artwork); }

QImage loadArtwork(const QString &relativePath) {
  static const bool registered = (registerArtwork(), true);
  (void)registered;
  return QImage(QStringLiteral(":/pictures/") + relativePath);
}
