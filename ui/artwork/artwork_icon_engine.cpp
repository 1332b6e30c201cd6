#include "ui/artwork/artwork_icon_engine.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "ui/artwork/artwork_resources.h"
#include "ui/artwork/window_icon.h"
#include "ui/app/qt_differences.h"

namespace {

// QIcon's choice among its pictures: the smallest whose area covers the
// asked one, else the largest.
int bestSide(const QSize &size) {
  const qint64 wanted = qint64(size.width()) * size.height();
  for (const int side : kThemeIconSizes)
    if (qint64(side) * side >= wanted) return side;
  return kThemeIconSizes.back();
}

}  // namespace

QIconEngine *ArtworkIconEngine::clone() const { return new ArtworkIconEngine; }

QString ArtworkIconEngine::key() const { return QStringLiteral("VembrixArtwork"); }

QList<QSize> ArtworkIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state) {
  // The pictures are the normal, off ones; the other modes are made from
  // them, as for pixmaps added to a QIcon.
  QList<QSize> sizes;
  if (mode != QIcon::Normal || state != QIcon::Off) return sizes;
  // Largest first: Qt hands a window's icon to the X server in this order,
  // and growing its buffer by the big picture first spares copying the
  // small ones along as it grows (some forty page faults before the main
  // window maps).
  for (auto side = kThemeIconSizes.rbegin(); side != kThemeIconSizes.rend(); ++side)
    sizes << QSize(*side, *side);
  return sizes;
}

QSize ArtworkIconEngine::actualSize(const QSize &size, QIcon::Mode, QIcon::State) {
  const int side = bestSide(size);
  QSize actual(side, side);
  if (actual.width() > size.width() || actual.height() > size.height())
    actual.scale(size, Qt::KeepAspectRatio);
  return actual;
}

QPixmap ArtworkIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) {
  if (size.isEmpty()) return {};
  const QImage art = loadArtwork(iconArtworkPath(bestSide(size)));
  const QSize fitted = actualSize(size, mode, state);
  // The theme's sizes are straight ARGB32, the format the X server takes a
  // window's icon in: kept so, Qt hands them over without converting them.
  // A picture to be scaled, and the 16-colour one, become the pixmap QIcon
  // itself would hold.
  const bool handOverAsItIs = art.size() == fitted && art.format() == QImage::Format_ARGB32;
  QPixmap picture =
      QPixmap::fromImage(art, handOverAsItIs ? Qt::NoFormatConversion : Qt::AutoColor);
  if (picture.size() != fitted)
    picture = picture.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (mode == QIcon::Normal) return picture;
  QStyleOption option;
  option.palette = QGuiApplication::palette();
  const QPixmap styled = QApplication::style()->generatedIconPixmap(mode, picture, &option);
  return styled.isNull() ? picture : styled;
}

QPixmap ArtworkIconEngine::scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                                        qreal scale) {
  // QIcon sets the returned picture's device pixel ratio itself.
  return pixmap(vx::qt_differences::scaledPixmapDeviceSize(size, scale), mode, state);
}

void ArtworkIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
                              QIcon::State state) {
  const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
  QPixmap picture = pixmap(rect.size() * ratio, mode, state);
  picture.setDevicePixelRatio(ratio);
  painter->drawPixmap(rect, picture);
}
