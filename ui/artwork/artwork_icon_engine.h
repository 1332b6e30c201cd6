#pragma once

#include <QIconEngine>

// The program icon's engine: its pictures stay compiled in, and each size is
// made when it is asked for. A QIcon of ready pixmaps would hold a third of a
// megabyte for the life of the program, for the moments in which a window
// hands its icon to the X server.
//
// Sizes, choice and scaling follow QIcon's own engine for pixmaps added to
// it: the picture whose area is the smallest that covers the asked one (the
// largest if none does), smoothly scaled down to fit; every other mode than
// Normal is the style's rendering of the Normal picture.
class ArtworkIconEngine final : public QIconEngine {
public:
  QIconEngine *clone() const override;
  QString key() const override;
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
  QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
  QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
  QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override;
  void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
};
