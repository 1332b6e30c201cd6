#pragma once

#include <QSize>
#include <QtGlobal>

class QString;
class QWidget;

// What the program must do differently on the Qt releases it is built with
// (6.4 on Debian 12, 6.8 on Debian 13). Every check of Qt's version is here.
namespace vx::qt_differences {

// The size in device pixels of the picture that QIconEngine::scaledPixmap()
// is asked for. Before 6.8 QIcon passes the size in device pixels already
// (and calls pixmap() instead at a scale of 1); from 6.8 on it passes the
// size in logical pixels with the scale beside it, at every scale.
inline QSize scaledPixmapDeviceSize(const QSize &asked, [[maybe_unused]] qreal scale) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  return asked * scale;
#else
  return asked;
#endif
}

// Sends the sentence as an announcement event from the focused control, where
// Qt has one (from 6.8 on), and says whether it did; older Qt has no such
// event, and the caller must find another way to the screen reader.
bool announce(QWidget *focus, const QString &sentence);

}  // namespace vx::qt_differences
